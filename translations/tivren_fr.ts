<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Tivren</name>
    <message>
        <source>%@ - %@ remaining</source>
        <translation>%@&#xa0;– reste %@</translation>
    </message>
    <message>
        <source>%@ / hour</source>
        <translation>%@&#xa0;/ heure</translation>
    </message>
    <message>
        <source>%@ / hour • %@</source>
        <translation>%@&#xa0;/ heure • %@</translation>
    </message>
    <message>
        <source>%@ h</source>
        <translation>%@&#xa0;h</translation>
    </message>
    <message>
        <source>%@ h billed</source>
        <translation>Facturé&#x202f;: %@&#xa0;h</translation>
    </message>
    <message>
        <source>%@: %@ – %@</source>
        <translation>%@&#x202f;: %@ – %@</translation>
    </message>
    <message>
        <source>%@h</source>
        <translation>%@&#x202f;h</translation>
    </message>
    <message>
        <source>%d %@</source>
        <translation>%d&#xa0;%@</translation>
    </message>
    <message>
        <source>15 min</source>
        <translation>15&#xa0;min</translation>
    </message>
    <message>
        <source>30 min</source>
        <translation>30&#xa0;min</translation>
    </message>
    <message>
        <source>60 min</source>
        <translation>60&#xa0;min</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Actifs</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Ajouter un projet</translation>
    </message>
    <message>
        <source>Allow Calendar access in System Settings before exporting to Apple Calendar.</source>
        <translation>Autorisez l’accès aux agendas dans les Paramètres du système avant d’exporter vers Apple Calendrier.</translation>
    </message>
    <message>
        <source>Allow access to your Apple calendars, choose a default calendar, then export the entries from the Overview date range.</source>
        <translation>Autorisez l’accès à vos agendas Apple, choisissez un agenda par défaut, puis exportez les entrées de la période affichée dans la vue d’ensemble.</translation>
    </message>
    <message>
        <source>Amount Due</source>
        <translation>Montant dû</translation>
    </message>
    <message>
        <source>Apple Calendar</source>
        <translation>Apple Calendrier</translation>
    </message>
    <message>
        <source>Apple Calendar could not save the event.</source>
        <translation>Apple Calendrier n’a pas pu enregistrer l’événement.</translation>
    </message>
    <message>
        <source>Archive</source>
        <extracomment>Verb, a menu action: move the project to the archive.</extracomment>
        <translation>Archiver</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Archivés</translation>
    </message>
    <message>
        <source>Back to work</source>
        <translation>Retour au travail</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Facturation</translation>
    </message>
    <message>
        <source>Billing Overview</source>
        <translation>Vue d’ensemble de la facturation</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>By Project</source>
        <translation>Par projet</translation>
    </message>
    <message>
        <source>By the system clock, the running timer starts in the future; it now counts from when Tivren started.</source>
        <translation>Selon l’horloge système, le minuteur en cours commence dans le futur&#x202f;; il compte désormais depuis le démarrage de Tivren.</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>Fichiers CSV</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Changes are not saved: Tivren cannot write to its data folder %@ (%@).</source>
        <translation>Les modifications ne sont pas enregistrées : Tivren ne peut pas écrire dans son dossier de données %@ (%@).</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is, and a copy was kept as %@. Mend the file and restart Tivren, or start afresh.</source>
        <translation>Les modifications ne sont pas enregistrées : le fichier de données n’a pas pu être lu. Il reste tel quel, et une copie a été conservée sous %@. Réparez le fichier et relancez Tivren, ou repartez de zéro.</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is; mend or move it, then restart Tivren.</source>
        <translation>Les modifications ne sont pas enregistrées : le fichier de données n’a pas pu être lu. Il reste tel quel ; réparez-le ou déplacez-le, puis relancez Tivren.</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>Choose a calendar for at least one selected project to export.</source>
        <translation>Attribuez un agenda à au moins un projet sélectionné pour pouvoir exporter.</translation>
    </message>
    <message>
        <source>Choose a project below to start tracking.</source>
        <translation>Choisissez un projet ci-dessous pour démarrer le suivi.</translation>
    </message>
    <message>
        <source>Choose at least one selected project with a calendar first.</source>
        <translation>Sélectionnez d’abord au moins un projet associé à un agenda.</translation>
    </message>
    <message>
        <source>Choose whether Tivren follows your system language or uses a specific app language.</source>
        <translation>Choisissez si Tivren suit la langue du système ou utilise une langue d’application spécifique.</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Connect Apple Calendar and refresh calendars first.</source>
        <translation>Connectez d’abord Apple Calendrier, puis actualisez les agendas.</translation>
    </message>
    <message>
        <source>Connect Google Calendar and refresh calendars first.</source>
        <translation>Connectez d’abord Google Agenda, puis actualisez les agendas.</translation>
    </message>
    <message>
        <source>Connect a Google account, choose a calendar, then export the entries from the Overview date range.</source>
        <translation>Connectez un compte Google, choisissez un agenda, puis exportez les entrées de la période affichée dans la vue d’ensemble.</translation>
    </message>
    <message>
        <source>Connected to Apple Calendar.</source>
        <translation>Connecté à Apple Calendrier.</translation>
    </message>
    <message>
        <source>Connected to Google Calendar.</source>
        <translation>Connecté à Google Agenda.</translation>
    </message>
    <message>
        <source>Connected. Selected calendar: %@</source>
        <translation>Connecté. Agenda sélectionné&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not connect Apple Calendar: %@</source>
        <translation>Impossible de connecter Apple Calendrier&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not connect Google Calendar: %@</source>
        <translation>Impossible de connecter Google Agenda&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not disconnect Google Calendar: %@</source>
        <translation>Impossible de déconnecter Google Agenda&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not export CSV: %@</source>
        <translation>Impossible d’exporter au format CSV&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not export to Apple Calendar: %@</source>
        <translation>Impossible d’exporter vers Apple Calendrier&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not export to Google Calendar: %@</source>
        <translation>Impossible d’exporter vers Google Agenda&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not load Apple calendars: %@</source>
        <translation>Impossible de charger les agendas Apple&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not load Google calendars: %@</source>
        <translation>Impossible de charger les agendas Google&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not load saved data: %@</source>
        <translation>Impossible de charger les données enregistrées&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not parse the Google authorization callback.</source>
        <translation>Impossible d’analyser la redirection d’autorisation de Google.</translation>
    </message>
    <message>
        <source>Could not reach Google: %@</source>
        <translation>Impossible de joindre Google&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not read the Google authorization callback.</source>
        <translation>Impossible de lire la redirection d’autorisation de Google.</translation>
    </message>
    <message>
        <source>Could not receive the Google sign-in on port %d: %@</source>
        <translation>Impossible de recevoir la connexion Google sur le port %d&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not save your changes: %@</source>
        <translation>Impossible d’enregistrer vos modifications&#x202f;: %@</translation>
    </message>
    <message>
        <source>Could not update launch at login: %@</source>
        <translation>Impossible de modifier le lancement à l’ouverture de session&#x202f;: %@</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Create Your First Project</source>
        <translation>Créer votre premier projet</translation>
    </message>
    <message>
        <source>Create a project to start tracking time from the Overview.</source>
        <translation>Créez un projet pour démarrer le suivi du temps depuis la vue d’ensemble.</translation>
    </message>
    <message>
        <source>Create a project with an hourly rate, then start tracking it from the menu bar.</source>
        <translation>Créez un projet avec un taux horaire, puis démarrez son suivi depuis la barre de menus.</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Devise</translation>
    </message>
    <message>
        <source>Currently Tracking</source>
        <translation>Suivi en cours</translation>
    </message>
    <message>
        <source>Currently following %@.</source>
        <translation>Langue actuelle&#x202f;: %@ (langue du système).</translation>
    </message>
    <message>
        <source>Currently using %@.</source>
        <translation>Langue actuelle&#x202f;: %@.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>Custom billing increment in minutes</source>
        <translation>Incrément de facturation personnalisé (en minutes)</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Néerlandais</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Modifier l’entrée</translation>
    </message>
    <message>
        <source>Edit Project</source>
        <translation>Modifier le projet</translation>
    </message>
    <message>
        <source>Enable Pomodoro timer</source>
        <translation>Activer le minuteur Pomodoro</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Entries</source>
        <extracomment>Short heading over the number of time entries.</extracomment>
        <translation>Entrées</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Verb, a button: send the selected entries to the calendars.</extracomment>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Export Apple Calendar</source>
        <translation>Exporter vers Apple Calendrier</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Importation terminée</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Exportation terminée</translation>
    </message>
    <message>
        <source>Export Google Calendar</source>
        <translation>Exporter vers Google Agenda</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar.</source>
        <translation>Exportation vers Apple Calendrier terminée&#x202f;: %@.</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar. Skipped %@ without a calendar.</source>
        <translation>Exportation vers Apple Calendrier terminée&#x202f;: %@. %@ faute d’agenda.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar.</source>
        <translation>Exportation vers Google Agenda terminée&#x202f;: %@.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar. Skipped %@ without a calendar.</source>
        <translation>Exportation vers Google Agenda terminée&#x202f;: %@. %@ faute d’agenda.</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>Google Calendar</source>
        <translation>Google Agenda</translation>
    </message>
    <message>
        <source>Google Calendar authorization was cancelled.</source>
        <translation>L’autorisation de Google Agenda a été annulée.</translation>
    </message>
    <message>
        <source>Google Calendar returned an unexpected response.</source>
        <translation>Google Agenda a renvoyé une réponse inattendue.</translation>
    </message>
    <message>
        <source>Google answered with HTTP status %d.</source>
        <translation>Google a répondu avec le statut HTTP %d.</translation>
    </message>
    <message>
        <source>Google did not answer in time.</source>
        <translation>Google n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Disconnect and connect again.</source>
        <translation>Google n’a pas renvoyé de jeton d’actualisation. Déconnectez Google Agenda, puis reconnectez-le.</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google n’a pas renvoyé de code d’autorisation.</translation>
    </message>
    <message>
        <source>Google lists more calendars than Tivren can read (over %d pages).</source>
        <translation>Google liste plus d’agendas que Tivren ne peut en lire (plus de %d pages).</translation>
    </message>
    <message>
        <source>Google returned: %@</source>
        <translation>Réponse de Google&#x202f;: %@</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Half hour</source>
        <translation>Demi-heure</translation>
    </message>
    <message>
        <source>Hour</source>
        <extracomment>Billing increment: time is billed in whole hours.</extracomment>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Hours</source>
        <extracomment>Short heading over the total of tracked hours.</extracomment>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Include Pomodoro breaks in billing</source>
        <translation>Inclure les pauses Pomodoro dans la facturation</translation>
    </message>
    <message>
        <source>Increment</source>
        <translation>Incrément</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Jump back into a recent project or start any active project from here.</source>
        <translation>Reprenez un projet récent ou démarrez ici n’importe quel projet actif.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>30 derniers jours</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Pause longue</translation>
    </message>
    <message>
        <source>Long break</source>
        <translation>Pause longue</translation>
    </message>
    <message>
        <source>Long break after</source>
        <translation>Pause longue après</translation>
    </message>
    <message>
        <source>Manage Projects</source>
        <translation>Gérer les projets</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Menthe</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>Nouveau projet</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Semaine suivante</translation>
    </message>
    <message>
        <source>No active timer</source>
        <translation>Aucun minuteur actif</translation>
    </message>
    <message>
        <source>No entries</source>
        <translation>Aucune entrée</translation>
    </message>
    <message>
        <source>No entries this week</source>
        <translation>Aucune entrée cette semaine</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Aucun projet pour l’instant</translation>
    </message>
    <message>
        <source>No time was tracked on this day.</source>
        <translation>Aucun temps n’a été suivi ce jour-là.</translation>
    </message>
    <message>
        <source>No time was tracked this week.</source>
        <translation>Aucun temps n’a été suivi cette semaine.</translation>
    </message>
    <message>
        <source>No tracked time</source>
        <translation>Aucun temps suivi</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Non connecté.</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open Overview</source>
        <translation>Ouvrir la vue d’ensemble</translation>
    </message>
    <message>
        <source>Open Timeline</source>
        <translation>Ouvrir la chronologie</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facultatif</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Vue d’ensemble</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rose</translation>
    </message>
    <message>
        <source>Play sound on phase change</source>
        <translation>Émettre un son à chaque changement de phase</translation>
    </message>
    <message>
        <source>Pomodoro</source>
        <translation>Pomodoro</translation>
    </message>
    <message>
        <source>Pomodoro: %@</source>
        <translation>Pomodoro&#x202f;: %@</translation>
    </message>
    <message>
        <source>Preview: %@</source>
        <translation>Aperçu&#x202f;: %@</translation>
    </message>
    <message>
        <source>Previous Week</source>
        <translation>Semaine précédente</translation>
    </message>
    <message>
        <source>Project hourly rate (optional)</source>
        <translation>Taux horaire du projet (facultatif)</translation>
    </message>
    <message>
        <source>Project name</source>
        <translation>Nom du projet</translation>
    </message>
    <message>
        <source>Project: %@</source>
        <translation>Projet&#x202f;: %@</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projets</translation>
    </message>
    <message>
        <source>Quarter hour</source>
        <translation>Quart d’heure</translation>
    </message>
    <message>
        <source>Quick Ranges</source>
        <translation>Périodes prédéfinies</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Receive periodic reminders while tracking time. Each reminder shows a notification and a brief color flash at the screen edges.</source>
        <translation>Recevez des rappels périodiques pendant le suivi du temps. Chaque rappel affiche une notification et un bref éclair de couleur sur les bords de l’écran.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Reconnecter</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>En cours...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Refresh Calendars</source>
        <translation>Actualiser les agendas</translation>
    </message>
    <message>
        <source>Remind every</source>
        <translation>Rappeler toutes les</translation>
    </message>
    <message>
        <source>Remind me while working</source>
        <translation>Me rappeler pendant le travail</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Round nearest each entry</source>
        <translation>Arrondir chaque entrée au plus proche</translation>
    </message>
    <message>
        <source>Round project total</source>
        <translation>Arrondir le total du projet</translation>
    </message>
    <message>
        <source>Round up each entry</source>
        <translation>Arrondir chaque entrée au supérieur</translation>
    </message>
    <message>
        <source>Rounding</source>
        <translation>Arrondi</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Section</translation>
    </message>
    <message>
        <source>Select a Google Calendar before exporting.</source>
        <translation>Sélectionnez un agenda Google avant d’exporter.</translation>
    </message>
    <message>
        <source>Select an Apple Calendar before exporting.</source>
        <translation>Sélectionnez un agenda Apple avant d’exporter.</translation>
    </message>
    <message>
        <source>Select which projects from the current Overview date range should be exported and choose the destination calendar for each one.</source>
        <translation>Sélectionnez les projets de la période actuelle de la vue d’ensemble à exporter, puis choisissez l’agenda de destination de chacun.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Pause courte</translation>
    </message>
    <message>
        <source>Short break</source>
        <translation>Pause courte</translation>
    </message>
    <message>
        <source>Show screen edge overlay on break</source>
        <translation>Colorer les bords de l’écran pendant les pauses</translation>
    </message>
    <message>
        <source>Signed in as %@</source>
        <translation>Connecté en tant que %@</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>Verb, a notification button: end the current Pomodoro phase now.</extracomment>
        <translation>Passer</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Passer la pause</translation>
    </message>
    <message>
        <source>Skip Phase</source>
        <translation>Passer la phase</translation>
    </message>
    <message>
        <source>Skip Pomodoro Phase</source>
        <translation>Passer la phase Pomodoro</translation>
    </message>
    <message>
        <source>Skip this project</source>
        <translation>Ne pas exporter ce projet</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Une erreur s’est produite</translation>
    </message>
    <message>
        <source>Source: Tivren</source>
        <translation>Source&#x202f;: Tivren</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>Noun, a field label: when the time entry began.
----------
Noun, a field label: the first day of the date range.</extracomment>
        <translation>Début</translation>
    </message>
    <message>
        <source>Start Afresh</source>
        <translation>Repartir de zéro</translation>
    </message>
    <message>
        <source>Start Another Project</source>
        <translation>Démarrer un autre projet</translation>
    </message>
    <message>
        <source>Start Timer</source>
        <translation>Démarrer un minuteur</translation>
    </message>
    <message>
        <source>Start and stop a project from the menu bar to create time entries.</source>
        <translation>Démarrez puis arrêtez un projet depuis la barre de menus pour créer des entrées.</translation>
    </message>
    <message>
        <source>Start timer</source>
        <translation>Démarrer le minuteur</translation>
    </message>
    <message>
        <source>Step away from the screen for a few minutes.</source>
        <translation>Éloignez-vous de l’écran quelques minutes.</translation>
    </message>
    <message>
        <source>Still working?</source>
        <translation>Toujours au travail&#x202f;?</translation>
    </message>
    <message>
        <source>Stop Timer</source>
        <extracomment>Verb, a button: stop tracking time.</extracomment>
        <translation>Arrêter le minuteur</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Langue du système</translation>
    </message>
    <message>
        <source>Take a longer break and recharge.</source>
        <translation>Faites une pause plus longue pour recharger vos batteries.</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Bleu sarcelle</translation>
    </message>
    <message>
        <source>The Apple Calendar “%@” is no longer available.</source>
        <translation>L’agenda «&#x202f;%@&#x202f;» d’Apple Calendrier n’est plus disponible.</translation>
    </message>
    <message>
        <source>The Google authorization response did not match the current request.</source>
        <translation>La réponse d’autorisation de Google ne correspond pas à la demande en cours.</translation>
    </message>
    <message>
        <source>The Google sign-in was not finished in time. Please try again.</source>
        <translation>La connexion Google n’a pas été terminée à temps. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>The data file was changed by another program; that version was kept as %@.</source>
        <translation>Le fichier de données a été modifié par un autre programme ; cette version a été conservée sous %@.</translation>
    </message>
    <message>
        <source>The desktop calendar (Evolution Data Server) is not responding. Try again in a moment.</source>
        <translation>L’agenda du bureau (Evolution Data Server) ne répond pas. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>The desktop calendar needs Evolution Data Server. Install the evolution-data-server package, then connect again.</source>
        <translation>L’agenda du bureau nécessite Evolution Data Server. Installez le paquet evolution-data-server, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>The end time must be later than the start time.</source>
        <translation>L’heure de fin doit être postérieure à l’heure de début.</translation>
    </message>
    <message>
        <source>The keyring could not be used: %@</source>
        <translation>Impossible d’utiliser le trousseau de clés&#x202f;: %@</translation>
    </message>
    <message>
        <source>The keyring did not answer in time. Make sure it is unlocked and try again.</source>
        <translation>Le trousseau de clés n’a pas répondu à temps. Vérifiez qu’il est déverrouillé, puis réessayez.</translation>
    </message>
    <message>
        <source>The keyring is locked. Unlock it and try again.</source>
        <translation>Le trousseau de clés est verrouillé. Déverrouillez-le, puis réessayez.</translation>
    </message>
    <message>
        <source>The rate must be a number, such as %@.</source>
        <translation>Le taux doit être un nombre, par exemple %@.</translation>
    </message>
    <message>
        <source>The selected calendar “%@” is no longer listed. Choose another one.</source>
        <translation>L’agenda choisi «&#x202f;%@&#x202f;» n’est plus dans la liste. Choisissez-en un autre.</translation>
    </message>
    <message>
        <source>The system clock went back while the timer ran; the entry uses the time that really passed.</source>
        <translation>L’horloge système a reculé pendant que le minuteur tournait&#x202f;; l’entrée utilise le temps réellement écoulé.</translation>
    </message>
    <message>
        <source>There are no entries in the selected range to export.</source>
        <translation>La période sélectionnée ne contient aucune entrée à exporter.</translation>
    </message>
    <message>
        <source>There are no projects in the selected range to export.</source>
        <translation>La période sélectionnée ne contient aucun projet à exporter.</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Ce mois-ci</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Cette année</translation>
    </message>
    <message>
        <source>This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar.</source>
        <translation>Cette version de Tivren n’a pas d’identifiant client OAuth Google et ne peut donc pas se connecter à Google Agenda.</translation>
    </message>
    <message>
        <source>Time Overview</source>
        <translation>Vue d’ensemble du temps</translation>
    </message>
    <message>
        <source>Time for a long break</source>
        <translation>C’est l’heure d’une pause longue</translation>
    </message>
    <message>
        <source>Time for a short break</source>
        <translation>C’est l’heure d’une pause courte</translation>
    </message>
    <message>
        <source>Time tracking only</source>
        <translation>Suivi du temps uniquement</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Chronologie</translation>
    </message>
    <message>
        <source>Tivren</source>
        <translation>Tivren</translation>
    </message>
    <message>
        <source>Tivren Entry</source>
        <translation>Entrée Tivren</translation>
    </message>
    <message>
        <source>Tivren could not save %@ to %@: %@</source>
        <translation>Tivren n’a pas pu enregistrer %@ dans %@ : %@</translation>
    </message>
    <message>
        <source>Tivren is still loading your data; the change was not saved. Try again in a moment.</source>
        <translation>Tivren charge encore vos données ; la modification n’a pas été enregistrée. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar.</source>
        <translation>Tivren a besoin d’un accès complet aux agendas pour charger vos agendas avant d’exporter vers Apple Calendrier.</translation>
    </message>
    <message>
        <source>Tivren will begin with no projects and no entries and save that. The unreadable file stays where it was kept.</source>
        <translation>Tivren recommencera sans projets ni entrées et l’enregistrera. Le fichier illisible reste là où il a été conservé.</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Tracked time in the selected date range will appear here.</source>
        <translation>Le temps suivi sur la période sélectionnée s’affichera ici.</translation>
    </message>
    <message>
        <source>Tracked: %@</source>
        <translation>Temps suivi&#x202f;: %@</translation>
    </message>
    <message>
        <source>Tracking %@</source>
        <translation>Suivi en cours&#x202f;: %@</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Unknown Project</source>
        <translation>Projet inconnu</translation>
    </message>
    <message>
        <source>Used when displaying hourly rates and billable amounts.</source>
        <translation>Utilisée pour afficher les taux horaires et les montants facturables.</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>When enabled, starting a project timer runs a Pomodoro work/break cycle. Breaks pause tracking by default, or can stay billable if you include them in the tracked session.</source>
        <translation>Lorsque cette option est activée, le démarrage du minuteur d’un projet lance un cycle Pomodoro travail/pause. Par défaut, les pauses suspendent le suivi, mais elles peuvent rester facturables si vous les incluez dans la session suivie.</translation>
    </message>
    <message>
        <source>Work</source>
        <extracomment>Noun: the Pomodoro work phase, as opposed to a break.</extracomment>
        <translation>Travail</translation>
    </message>
    <message>
        <source>Work Reminders</source>
        <translation>Rappels de travail</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>En cours...</translation>
    </message>
    <message>
        <source>You&apos;ve been working for %@ — consider taking a short break.</source>
        <translation>Vous travaillez depuis %@&#xa0;– pensez à faire une courte pause.</translation>
    </message>
    <message>
        <source>Your Google sign-in expired. Please reconnect.</source>
        <translation>Votre connexion Google a expiré. Veuillez vous reconnecter.</translation>
    </message>
    <message>
        <source>Your break is over - the next Pomodoro has started.</source>
        <translation>Votre pause est terminée&#xa0;– le Pomodoro suivant a commencé.</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>Abbreviation of minutes, shown after a number.</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>round nearest per entry</source>
        <translation>arrondi au plus proche par entrée</translation>
    </message>
    <message>
        <source>round project total</source>
        <translation>arrondi du total du projet</translation>
    </message>
    <message>
        <source>round up per entry</source>
        <translation>arrondi supérieur par entrée</translation>
    </message>
    <message>
        <source>the calendar export links</source>
        <translation>les liens de l’export vers le calendrier</translation>
    </message>
    <message>
        <source>the data file did not answer in time</source>
        <translation>le fichier de données n’a pas répondu à temps</translation>
    </message>
    <message>
        <source>the latest changes</source>
        <translation>les dernières modifications</translation>
    </message>
    <message>
        <source>the running timer on %@ (since %@)</source>
        <translation>le minuteur en cours pour %@ (depuis %@)</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>les réglages</translation>
    </message>
    <message>
        <source>the stopped timer</source>
        <translation>le minuteur arrêté</translation>
    </message>
    <message>
        <source>work intervals</source>
        <translation>intervalles de travail</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n&#xa0;entrée</numerusform>
            <numerusform>%n&#xa0;entrées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries in range</source>
        <translation>
            <numerusform>%n&#xa0;entrée sur la période</numerusform>
            <numerusform>%n&#xa0;entrées sur la période</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n&#xa0;min</numerusform>
            <numerusform>%n&#xa0;min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects in range</source>
        <translation>
            <numerusform>%n&#xa0;projet sur la période</numerusform>
            <numerusform>%n&#xa0;projets sur la période</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ready to export</source>
        <translation>
            <numerusform>%n&#xa0;prêt pour l’exportation</numerusform>
            <numerusform>%n&#xa0;prêts pour l’exportation</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected projects</source>
        <translation>
            <numerusform>%n&#xa0;projet sélectionné ignoré</numerusform>
            <numerusform>%n&#xa0;projets sélectionnés ignorés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>projects: %n</source>
        <translation>
            <numerusform>projet : %n</numerusform>
            <numerusform>projets : %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>time entries: %n</source>
        <translation>
            <numerusform>entrée de temps : %n</numerusform>
            <numerusform>entrées de temps : %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Tivren — Not tracking</source>
        <extracomment>The tray icon&apos;s tooltip while no timer runs.</extracomment>
        <translation>Tivren — Aucun suivi en cours</translation>
    </message>
    <message>
        <source>Edit %@</source>
        <extracomment>Read by screen readers for the Edit button of a project; %@ is the project&apos;s name.
----------
Read by screen readers for the Edit button of a time entry; %@ is its project and times.</extracomment>
        <translation>Modifier %@</translation>
    </message>
    <message>
        <source>Archive %@</source>
        <extracomment>Read by screen readers for the Archive button of a project; %@ is the project&apos;s name.</extracomment>
        <translation>Archiver %@</translation>
    </message>
    <message>
        <source>Restore %@</source>
        <extracomment>Read by screen readers for the Restore button of an archived project; %@ is the project&apos;s name.</extracomment>
        <translation>Restaurer %@</translation>
    </message>
    <message>
        <source>Delete %@</source>
        <extracomment>Read by screen readers for the Delete button of a time entry; %@ is its project and times.</extracomment>
        <translation>Supprimer %@</translation>
    </message>
    <message>
        <source>Week Timeline</source>
        <translation>Chronologie de la semaine</translation>
    </message>
    <message>
        <source>Tivren could not load a part of its installation (%@). Reinstalling Tivren may fix this.</source>
        <translation>Tivren n’a pas pu charger une partie de son installation (%@). Réinstaller Tivren peut résoudre ce problème.</translation>
    </message>
    <message>
        <source>Could not import “%@”: %@</source>
        <translation>Impossible d’importer «&#xa0;%@&#xa0;»&#x202f;: %@</translation>
    </message>
    <message numerus="yes">
        <source>%n records cannot be imported:</source>
        <translation>
            <numerusform>%n&#xa0;enregistrement ne peut pas être importé&#x202f;:</numerusform>
            <numerusform>%n&#xa0;enregistrements ne peuvent pas être importés&#x202f;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %d: %@</source>
        <translation>Ligne %d&#x202f;: %@</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>et %n&#xa0;autre</numerusform>
            <numerusform>et %n&#xa0;autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Import from %@</source>
        <translation>Importer depuis %@</translation>
    </message>
    <message>
        <source>Nothing new to add.</source>
        <translation>Rien de nouveau à ajouter.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries will be added.</source>
        <translation>
            <numerusform>%n&#xa0;entrée sera ajoutée.</numerusform>
            <numerusform>%n&#xa0;entrées seront ajoutées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new projects: %@</source>
        <translation>
            <numerusform>%n&#xa0;nouveau projet&#x202f;: %@</numerusform>
            <numerusform>%n&#xa0;nouveaux projets&#x202f;: %@</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries are already in Tivren and will be skipped.</source>
        <translation>
            <numerusform>%n&#xa0;entrée est déjà dans Tivren et sera ignorée.</numerusform>
            <numerusform>%n&#xa0;entrées sont déjà dans Tivren et seront ignorées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries.</source>
        <translation>
            <numerusform>%n&#xa0;entrée importée.</numerusform>
            <numerusform>%n&#xa0;entrées importées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Created %n projects.</source>
        <translation>
            <numerusform>%n&#xa0;projet créé.</numerusform>
            <numerusform>%n&#xa0;projets créés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Exports</source>
        <extracomment>A file dialog&apos;s filter: time tracking history exported from other apps</extracomment>
        <translation>Exports</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Bring Your History</source>
        <translation>Importer votre historique</translation>
    </message>
    <message>
        <source>Import time entries exported from Toggl Track or Clockify (CSV), Timewarrior (timew export) or Watson (its frames file). You see what would change before anything does.</source>
        <translation>Importez des entrées de temps exportées de Toggl Track ou Clockify (CSV), Timewarrior (timew export) ou Watson (son fichier frames). Vous voyez ce qui changerait avant que quoi que ce soit ne change.</translation>
    </message>
    <message>
        <source>Import…</source>
        <extracomment>A button: opens a file to import time entries from</extracomment>
        <translation>Importer…</translation>
    </message>
    <message>
        <source>Import time entries from a file</source>
        <translation>Importer des entrées de temps depuis un fichier</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>A button: adds the previewed time entries and projects</extracomment>
        <translation>Importer</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>Ce n’est pas un fichier.</translation>
    </message>
    <message>
        <source>It is larger than %d MiB; no export of time entries is that large.</source>
        <translation>Il dépasse %d&#xa0;Mio&#x202f;; aucun export d’entrées de temps n’est aussi volumineux.</translation>
    </message>
    <message>
        <source>Time Away</source>
        <extracomment>The title of the question asked when the user comes back to a running timer</extracomment>
        <translation>Temps d’absence</translation>
    </message>
    <message numerus="yes">
        <source>You were away for %n min (since %@).</source>
        <translation>
            <numerusform>Absence de %n&#xa0;min (depuis %@).</numerusform>
            <numerusform>Absence de %n&#xa0;min (depuis %@).</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>A button: the time away counts, nothing changes</extracomment>
        <translation>Conserver</translation>
    </message>
    <message>
        <source>Discard</source>
        <extracomment>A button: the time away is not tracked, the timer goes on from now</extracomment>
        <translation>Écarter</translation>
    </message>
    <message>
        <source>Stop at %@</source>
        <extracomment>A button: the entry ends when the user went away (a time of day), no timer runs</extracomment>
        <translation>Arrêter à %@</translation>
    </message>
    <message>
        <source>The time away counts; the timer goes on.</source>
        <translation>Le temps d’absence compte&#x202f;; le minuteur continue.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and a new one for the same project starts now.</source>
        <translation>L’entrée se termine à %@ et une nouvelle pour le même projet commence maintenant.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and the timer stops.</source>
        <translation>L’entrée se termine à %@ et le minuteur s’arrête.</translation>
    </message>
    <message>
        <source>The dates could be month/day or day/month: no day in the file is above 12. Export it again with dates as YYYY-MM-DD.</source>
        <translation>Les dates peuvent être mois/jour ou jour/mois&#x202f;: aucun jour du fichier ne dépasse 12. Exportez-le à nouveau avec des dates au format YYYY-MM-DD.</translation>
    </message>
    <message>
        <source>it has no end (a timer still running when the file was exported)</source>
        <translation>il n’a pas de fin (un minuteur tournait encore lors de l’export du fichier)</translation>
    </message>
    <message>
        <source>“%@ %@” is not a date and time</source>
        <translation>«&#xa0;%@ %@&#xa0;» n’est pas une date et une heure</translation>
    </message>
    <message>
        <source>its end is not after its start</source>
        <translation>sa fin n’est pas après son début</translation>
    </message>
    <message>
        <source>This is not a Toggl Track or Clockify detailed CSV export, a Timewarrior export or Watson&apos;s frames file.</source>
        <translation>Ce n’est ni un export CSV détaillé de Toggl Track ou Clockify, ni un export Timewarrior, ni le fichier frames de Watson.</translation>
    </message>
    <message>
        <source>The CSV file ends inside a quoted field.</source>
        <translation>Le fichier CSV se termine au milieu d’un champ entre guillemets.</translation>
    </message>
    <message>
        <source>it has no end (an interval still open in Timewarrior)</source>
        <translation>il n’a pas de fin (un intervalle encore ouvert dans Timewarrior)</translation>
    </message>
    <message>
        <source>its start or end is not a time like 20260314T090000Z</source>
        <translation>son début ou sa fin n’est pas une heure comme 20260314T090000Z</translation>
    </message>
    <message>
        <source>it is not a frame [start, stop, project, …]</source>
        <translation>ce n’est pas un frame [start, stop, project, …]</translation>
    </message>
    <message>
        <source>%@ %@ does not exist in this time zone (the clocks moved forward)</source>
        <translation>%@ %@ n’existe pas dans ce fuseau horaire (passage à l’heure d’été)</translation>
    </message>
    <message>
        <source>When you come back to a running timer after time away from the computer, or after it slept, Tivren asks whether that time counts.</source>
        <translation>Quand vous revenez à un minuteur en cours après un moment loin de l’ordinateur, ou après sa mise en veille, Tivren demande si ce temps compte.</translation>
    </message>
    <message>
        <source>Ask about time away</source>
        <translation>Demander pour le temps d’absence</translation>
    </message>
    <message>
        <source>Ask after</source>
        <extracomment>Followed by a number of minutes: ask once the user was away longer than that</extracomment>
        <translation>Demander après</translation>
    </message>
    <message>
        <source>Minutes away before Tivren asks</source>
        <translation>Minutes d’absence avant que Tivren demande</translation>
    </message>
    <message>
        <source>This desktop does not tell Tivren when you are idle, so only time asleep is asked about.</source>
        <translation>Ce bureau n’indique pas à Tivren quand vous êtes inactif&#x202f;: seul le temps de mise en veille est concerné.</translation>
    </message>
    <message>
        <source>Stop the timer when the screen locks</source>
        <translation>Arrêter le minuteur au verrouillage de l’écran</translation>
    </message>
</context>
</TS>
