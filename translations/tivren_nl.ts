<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>Tivren</name>
    <message>
        <source>%@ - %@ remaining</source>
        <translation>%@ – nog %@</translation>
    </message>
    <message>
        <source>%@ / hour</source>
        <translation>%@ / uur</translation>
    </message>
    <message>
        <source>%@ / hour • %@</source>
        <translation>%@ / uur • %@</translation>
    </message>
    <message>
        <source>%@ h</source>
        <translation>%@ u</translation>
    </message>
    <message>
        <source>%@ h billed</source>
        <translation>%@ u gefactureerd</translation>
    </message>
    <message>
        <source>%@: %@ – %@</source>
        <translation>%@: %@ – %@</translation>
    </message>
    <message>
        <source>%@h</source>
        <translation>%@u</translation>
    </message>
    <message>
        <source>%d %@</source>
        <translation>%d %@</translation>
    </message>
    <message>
        <source>15 min</source>
        <translation>15 min</translation>
    </message>
    <message>
        <source>30 min</source>
        <translation>30 min</translation>
    </message>
    <message>
        <source>60 min</source>
        <translation>60 min</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Actief</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Project toevoegen</translation>
    </message>
    <message>
        <source>Allow Calendar access in System Settings before exporting to Apple Calendar.</source>
        <translation>Sta agendatoegang toe in Systeeminstellingen voordat je naar Apple Agenda exporteert.</translation>
    </message>
    <message>
        <source>Allow access to your Apple calendars, choose a default calendar, then export the entries from the Overview date range.</source>
        <translation>Geef toegang tot je Apple-agenda&apos;s, kies een standaardagenda en exporteer daarna de registraties uit de periode van het Overzicht.</translation>
    </message>
    <message>
        <source>Amount Due</source>
        <translation>Te factureren bedrag</translation>
    </message>
    <message>
        <source>Apple Calendar</source>
        <translation>Apple Agenda</translation>
    </message>
    <message>
        <source>Apple Calendar could not save the event.</source>
        <translation>Apple Agenda kon de afspraak niet opslaan.</translation>
    </message>
    <message>
        <source>Archive</source>
        <extracomment>Verb, a menu action: move the project to the archive.</extracomment>
        <translation>Archiveren</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Gearchiveerd</translation>
    </message>
    <message>
        <source>Back to work</source>
        <translation>Weer aan het werk</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Facturatie</translation>
    </message>
    <message>
        <source>Billing Overview</source>
        <translation>Facturatieoverzicht</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blauw</translation>
    </message>
    <message>
        <source>By Project</source>
        <translation>Per project</translation>
    </message>
    <message>
        <source>By the system clock, the running timer starts in the future; it now counts from when Tivren started.</source>
        <translation>Volgens de systeemklok begint de lopende timer in de toekomst; hij telt nu vanaf het moment dat Tivren startte.</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-bestanden</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Changes are not saved: Tivren cannot write to its data folder %@ (%@).</source>
        <translation>Wijzigingen worden niet bewaard: Tivren kan niet schrijven in zijn gegevensmap %@ (%@).</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is, and a copy was kept as %@. Mend the file and restart Tivren, or start afresh.</source>
        <translation>Wijzigingen worden niet bewaard: het gegevensbestand kon niet worden gelezen. Het blijft zoals het is, en er is een kopie bewaard als %@. Herstel het bestand en start Tivren opnieuw, of begin opnieuw.</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is; mend or move it, then restart Tivren.</source>
        <translation>Wijzigingen worden niet bewaard: het gegevensbestand kon niet worden gelezen. Het blijft zoals het is; herstel of verplaats het en start Tivren daarna opnieuw.</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Wijzigingen niet bewaard</translation>
    </message>
    <message>
        <source>Choose a calendar for at least one selected project to export.</source>
        <translation>Kies voor ten minste één geselecteerd project een agenda om te exporteren.</translation>
    </message>
    <message>
        <source>Choose a project below to start tracking.</source>
        <translation>Kies hieronder een project om tijd te registreren.</translation>
    </message>
    <message>
        <source>Choose at least one selected project with a calendar first.</source>
        <translation>Kies eerst ten minste één geselecteerd project met een agenda.</translation>
    </message>
    <message>
        <source>Choose whether Tivren follows your system language or uses a specific app language.</source>
        <translation>Kies of Tivren de systeemtaal volgt of een specifieke taal gebruikt.</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Kleur</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connect Apple Calendar and refresh calendars first.</source>
        <translation>Verbind eerst met Apple Agenda en vernieuw de agenda&apos;s.</translation>
    </message>
    <message>
        <source>Connect Google Calendar and refresh calendars first.</source>
        <translation>Verbind eerst met Google Agenda en vernieuw de agenda&apos;s.</translation>
    </message>
    <message>
        <source>Connect a Google account, choose a calendar, then export the entries from the Overview date range.</source>
        <translation>Verbind een Google-account, kies een agenda en exporteer daarna de registraties uit de periode van het Overzicht.</translation>
    </message>
    <message>
        <source>Connected to Apple Calendar.</source>
        <translation>Verbonden met Apple Agenda.</translation>
    </message>
    <message>
        <source>Connected to Google Calendar.</source>
        <translation>Verbonden met Google Agenda.</translation>
    </message>
    <message>
        <source>Connected. Selected calendar: %@</source>
        <translation>Verbonden. Geselecteerde agenda: %@</translation>
    </message>
    <message>
        <source>Could not connect Apple Calendar: %@</source>
        <translation>Kan geen verbinding maken met Apple Agenda: %@</translation>
    </message>
    <message>
        <source>Could not connect Google Calendar: %@</source>
        <translation>Kan geen verbinding maken met Google Agenda: %@</translation>
    </message>
    <message>
        <source>Could not disconnect Google Calendar: %@</source>
        <translation>Kan verbinding met Google Agenda niet verbreken: %@</translation>
    </message>
    <message>
        <source>Could not export CSV: %@</source>
        <translation>Kan CSV niet exporteren: %@</translation>
    </message>
    <message>
        <source>Could not export to Apple Calendar: %@</source>
        <translation>Kan niet exporteren naar Apple Agenda: %@</translation>
    </message>
    <message>
        <source>Could not export to Google Calendar: %@</source>
        <translation>Kan niet exporteren naar Google Agenda: %@</translation>
    </message>
    <message>
        <source>Could not load Apple calendars: %@</source>
        <translation>Kan Apple-agenda&apos;s niet laden: %@</translation>
    </message>
    <message>
        <source>Could not load Google calendars: %@</source>
        <translation>Kan Google-agenda&apos;s niet laden: %@</translation>
    </message>
    <message>
        <source>Could not load saved data: %@</source>
        <translation>Kan opgeslagen gegevens niet laden: %@</translation>
    </message>
    <message>
        <source>Could not parse the Google authorization callback.</source>
        <translation>Kan de autorisatie-callback van Google niet verwerken.</translation>
    </message>
    <message>
        <source>Could not reach Google: %@</source>
        <translation>Kan Google niet bereiken: %@</translation>
    </message>
    <message>
        <source>Could not read the Google authorization callback.</source>
        <translation>Kan de autorisatie-callback van Google niet lezen.</translation>
    </message>
    <message>
        <source>Could not receive the Google sign-in on port %d: %@</source>
        <translation>Kan de Google-aanmelding niet ontvangen op poort %d: %@</translation>
    </message>
    <message>
        <source>Could not save your changes: %@</source>
        <translation>Kan je wijzigingen niet opslaan: %@</translation>
    </message>
    <message>
        <source>Could not update launch at login: %@</source>
        <translation>Kan starten bij aanmelden niet bijwerken: %@</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Aanmaken</translation>
    </message>
    <message>
        <source>Create Your First Project</source>
        <translation>Maak je eerste project aan</translation>
    </message>
    <message>
        <source>Create a project to start tracking time from the Overview.</source>
        <translation>Maak een project aan om vanuit het Overzicht tijd te registreren.</translation>
    </message>
    <message>
        <source>Create a project with an hourly rate, then start tracking it from the menu bar.</source>
        <translation>Maak een project met een uurtarief aan en registreer er daarna tijd voor via de menubalk.</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Valuta</translation>
    </message>
    <message>
        <source>Currently Tracking</source>
        <translation>Nu actief</translation>
    </message>
    <message>
        <source>Currently following %@.</source>
        <translation>Volgt momenteel %@.</translation>
    </message>
    <message>
        <source>Currently using %@.</source>
        <translation>Gebruikt momenteel %@.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Aangepast</translation>
    </message>
    <message>
        <source>Custom billing increment in minutes</source>
        <translation>Aangepaste facturatie-eenheid in minuten</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Dag</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Verbinding verbreken</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Nederlands</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bewerken</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Registratie bewerken</translation>
    </message>
    <message>
        <source>Edit Project</source>
        <translation>Project bewerken</translation>
    </message>
    <message>
        <source>Enable Pomodoro timer</source>
        <translation>Pomodoro-timer inschakelen</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Einde</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Engels</translation>
    </message>
    <message>
        <source>Entries</source>
        <extracomment>Short heading over the number of time entries.</extracomment>
        <translation>Registraties</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Verb, a button: send the selected entries to the calendars.</extracomment>
        <translation>Exporteren</translation>
    </message>
    <message>
        <source>Export Apple Calendar</source>
        <translation>Exporteren naar Apple Agenda</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exporteren</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Import voltooid</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Export voltooid</translation>
    </message>
    <message>
        <source>Export Google Calendar</source>
        <translation>Exporteren naar Google Agenda</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar.</source>
        <translation>%@ geëxporteerd naar Apple Agenda.</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar. Skipped %@ without a calendar.</source>
        <translation>%@ geëxporteerd naar Apple Agenda. %@ zonder agenda overgeslagen.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar.</source>
        <translation>%@ geëxporteerd naar Google Agenda.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar. Skipped %@ without a calendar.</source>
        <translation>%@ geëxporteerd naar Google Agenda. %@ zonder agenda overgeslagen.</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Frans</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Duits</translation>
    </message>
    <message>
        <source>Google Calendar</source>
        <translation>Google Agenda</translation>
    </message>
    <message>
        <source>Google Calendar authorization was cancelled.</source>
        <translation>Autorisatie voor Google Agenda is geannuleerd.</translation>
    </message>
    <message>
        <source>Google Calendar returned an unexpected response.</source>
        <translation>Google Agenda gaf een onverwacht antwoord.</translation>
    </message>
    <message>
        <source>Google answered with HTTP status %d.</source>
        <translation>Google antwoordde met HTTP-status %d.</translation>
    </message>
    <message>
        <source>Google did not answer in time.</source>
        <translation>Google reageerde niet op tijd.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Disconnect and connect again.</source>
        <translation>Google heeft geen vernieuwingstoken teruggegeven. Verbreek de verbinding en maak opnieuw verbinding.</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google heeft geen autorisatiecode teruggegeven.</translation>
    </message>
    <message>
        <source>Google lists more calendars than Tivren can read (over %d pages).</source>
        <translation>Google toont meer agenda&apos;s dan Tivren kan lezen (meer dan %d pagina&apos;s).</translation>
    </message>
    <message>
        <source>Google returned: %@</source>
        <translation>Antwoord van Google: %@</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Groen</translation>
    </message>
    <message>
        <source>Half hour</source>
        <translation>Half uur</translation>
    </message>
    <message>
        <source>Hour</source>
        <extracomment>Billing increment: time is billed in whole hours.</extracomment>
        <translation>Uur</translation>
    </message>
    <message>
        <source>Hours</source>
        <extracomment>Short heading over the total of tracked hours.</extracomment>
        <translation>Uren</translation>
    </message>
    <message>
        <source>Include Pomodoro breaks in billing</source>
        <translation>Pomodoro-pauzes meetellen voor facturatie</translation>
    </message>
    <message>
        <source>Increment</source>
        <translation>Eenheid</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Jump back into a recent project or start any active project from here.</source>
        <translation>Ga verder met een recent project of start hier een ander actief project.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Afgelopen 30 dagen</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>Afgelopen 7 dagen</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Starten bij aanmelden</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Lange pauze</translation>
    </message>
    <message>
        <source>Long break</source>
        <translation>Lange pauze</translation>
    </message>
    <message>
        <source>Long break after</source>
        <translation>Lange pauze na</translation>
    </message>
    <message>
        <source>Manage Projects</source>
        <translation>Projecten beheren</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Mintgroen</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>Nieuw project</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Volgende week</translation>
    </message>
    <message>
        <source>No active timer</source>
        <translation>Geen actieve timer</translation>
    </message>
    <message>
        <source>No entries</source>
        <translation>Geen registraties</translation>
    </message>
    <message>
        <source>No entries this week</source>
        <translation>Geen registraties deze week</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Nog geen projecten</translation>
    </message>
    <message>
        <source>No time was tracked on this day.</source>
        <translation>Er is op deze dag geen tijd geregistreerd.</translation>
    </message>
    <message>
        <source>No time was tracked this week.</source>
        <translation>Er is deze week geen tijd geregistreerd.</translation>
    </message>
    <message>
        <source>No tracked time</source>
        <translation>Geen geregistreerde tijd</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Niet verbonden.</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notities</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open Overview</source>
        <translation>Overzicht openen</translation>
    </message>
    <message>
        <source>Open Timeline</source>
        <translation>Tijdlijn openen</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optioneel</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Oranje</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Overzicht</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Roze</translation>
    </message>
    <message>
        <source>Play sound on phase change</source>
        <translation>Geluid afspelen bij faseovergang</translation>
    </message>
    <message>
        <source>Pomodoro</source>
        <translation>Pomodoro</translation>
    </message>
    <message>
        <source>Pomodoro: %@</source>
        <translation>Pomodoro: %@</translation>
    </message>
    <message>
        <source>Preview: %@</source>
        <translation>Voorbeeld: %@</translation>
    </message>
    <message>
        <source>Previous Week</source>
        <translation>Vorige week</translation>
    </message>
    <message>
        <source>Project hourly rate (optional)</source>
        <translation>Uurtarief (optioneel)</translation>
    </message>
    <message>
        <source>Project name</source>
        <translation>Projectnaam</translation>
    </message>
    <message>
        <source>Project: %@</source>
        <translation>Project: %@</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projecten</translation>
    </message>
    <message>
        <source>Quarter hour</source>
        <translation>Kwartier</translation>
    </message>
    <message>
        <source>Quick Ranges</source>
        <translation>Snelkeuze</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Receive periodic reminders while tracking time. Each reminder shows a notification and a brief color flash at the screen edges.</source>
        <translation>Ontvang regelmatig herinneringen terwijl je tijd registreert. Elke herinnering toont een melding en laat de schermranden kort in kleur oplichten.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Opnieuw verbinden</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Loopt...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rood</translation>
    </message>
    <message>
        <source>Refresh Calendars</source>
        <translation>Agenda&apos;s vernieuwen</translation>
    </message>
    <message>
        <source>Remind every</source>
        <translation>Herinner elke</translation>
    </message>
    <message>
        <source>Remind me while working</source>
        <translation>Herinner me tijdens het werk</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Herstellen</translation>
    </message>
    <message>
        <source>Round nearest each entry</source>
        <translation>Per registratie naar dichtstbijzijnde afronden</translation>
    </message>
    <message>
        <source>Round project total</source>
        <translation>Projecttotaal afronden</translation>
    </message>
    <message>
        <source>Round up each entry</source>
        <translation>Per registratie naar boven afronden</translation>
    </message>
    <message>
        <source>Rounding</source>
        <translation>Afronding</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Loopt</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sectie</translation>
    </message>
    <message>
        <source>Select a Google Calendar before exporting.</source>
        <translation>Selecteer een Google-agenda voordat je exporteert.</translation>
    </message>
    <message>
        <source>Select an Apple Calendar before exporting.</source>
        <translation>Selecteer een Apple-agenda voordat je exporteert.</translation>
    </message>
    <message>
        <source>Select which projects from the current Overview date range should be exported and choose the destination calendar for each one.</source>
        <translation>Kies welke projecten uit de huidige periode van het Overzicht je wilt exporteren en kies voor elk project de doelagenda.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Korte pauze</translation>
    </message>
    <message>
        <source>Short break</source>
        <translation>Korte pauze</translation>
    </message>
    <message>
        <source>Show screen edge overlay on break</source>
        <translation>Schermranden kleuren tijdens pauze</translation>
    </message>
    <message>
        <source>Signed in as %@</source>
        <translation>Aangemeld als %@</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>Verb, a notification button: end the current Pomodoro phase now.</extracomment>
        <translation>Overslaan</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Pauze overslaan</translation>
    </message>
    <message>
        <source>Skip Phase</source>
        <translation>Fase overslaan</translation>
    </message>
    <message>
        <source>Skip Pomodoro Phase</source>
        <translation>Pomodoro-fase overslaan</translation>
    </message>
    <message>
        <source>Skip this project</source>
        <translation>Dit project overslaan</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Er is iets misgegaan</translation>
    </message>
    <message>
        <source>Source: Tivren</source>
        <translation>Bron: Tivren</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spaans</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>Noun, a field label: when the time entry began.
----------
Noun, a field label: the first day of the date range.</extracomment>
        <translation>Begin</translation>
    </message>
    <message>
        <source>Start Afresh</source>
        <translation>Opnieuw beginnen</translation>
    </message>
    <message>
        <source>Start Another Project</source>
        <translation>Ander project starten</translation>
    </message>
    <message>
        <source>Start Timer</source>
        <translation>Timer starten</translation>
    </message>
    <message>
        <source>Start and stop a project from the menu bar to create time entries.</source>
        <translation>Start en stop een project via de menubalk om registraties aan te maken.</translation>
    </message>
    <message>
        <source>Start timer</source>
        <translation>Timer starten</translation>
    </message>
    <message>
        <source>Step away from the screen for a few minutes.</source>
        <translation>Neem een paar minuten afstand van je scherm.</translation>
    </message>
    <message>
        <source>Still working?</source>
        <translation>Nog aan het werk?</translation>
    </message>
    <message>
        <source>Stop Timer</source>
        <extracomment>Verb, a button: stop tracking time.</extracomment>
        <translation>Timer stoppen</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Systeemstandaard</translation>
    </message>
    <message>
        <source>Take a longer break and recharge.</source>
        <translation>Neem een langere pauze en laad jezelf weer op.</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blauwgroen</translation>
    </message>
    <message>
        <source>The Apple Calendar “%@” is no longer available.</source>
        <translation>De Apple-agenda “%@” is niet meer beschikbaar.</translation>
    </message>
    <message>
        <source>The Google authorization response did not match the current request.</source>
        <translation>Het autorisatieantwoord van Google komt niet overeen met het huidige verzoek.</translation>
    </message>
    <message>
        <source>The Google sign-in was not finished in time. Please try again.</source>
        <translation>De Google-aanmelding is niet op tijd afgerond. Probeer het opnieuw.</translation>
    </message>
    <message>
        <source>The data file was changed by another program; that version was kept as %@.</source>
        <translation>Het gegevensbestand is door een ander programma gewijzigd; die versie is bewaard als %@.</translation>
    </message>
    <message>
        <source>The desktop calendar (Evolution Data Server) is not responding. Try again in a moment.</source>
        <translation>De bureaubladagenda (Evolution Data Server) reageert niet. Probeer het zo meteen opnieuw.</translation>
    </message>
    <message>
        <source>The desktop calendar needs Evolution Data Server. Install the evolution-data-server package, then connect again.</source>
        <translation>De bureaubladagenda heeft Evolution Data Server nodig. Installeer het pakket evolution-data-server en maak daarna opnieuw verbinding.</translation>
    </message>
    <message>
        <source>The end time must be later than the start time.</source>
        <translation>De eindtijd moet later zijn dan de begintijd.</translation>
    </message>
    <message>
        <source>The keyring could not be used: %@</source>
        <translation>De sleutelbos kon niet worden gebruikt: %@</translation>
    </message>
    <message>
        <source>The keyring did not answer in time. Make sure it is unlocked and try again.</source>
        <translation>De sleutelbos reageerde niet op tijd. Zorg dat hij ontgrendeld is en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>The keyring is locked. Unlock it and try again.</source>
        <translation>De sleutelbos is vergrendeld. Ontgrendel hem en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>The rate must be a number, such as %@.</source>
        <translation>Het tarief moet een getal zijn, zoals %@.</translation>
    </message>
    <message>
        <source>The selected calendar “%@” is no longer listed. Choose another one.</source>
        <translation>De gekozen agenda “%@” staat niet meer in de lijst. Kies een andere.</translation>
    </message>
    <message>
        <source>The system clock went back while the timer ran; the entry uses the time that really passed.</source>
        <translation>De systeemklok is teruggezet terwijl de timer liep; de registratie gebruikt de tijd die echt verstreken is.</translation>
    </message>
    <message>
        <source>There are no entries in the selected range to export.</source>
        <translation>Er zijn geen registraties in de geselecteerde periode om te exporteren.</translation>
    </message>
    <message>
        <source>There are no projects in the selected range to export.</source>
        <translation>Er zijn geen projecten in de geselecteerde periode om te exporteren.</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Deze maand</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Deze week</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Dit jaar</translation>
    </message>
    <message>
        <source>This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar.</source>
        <translation>Deze build van Tivren heeft geen Google OAuth-client-ID en kan dus geen verbinding maken met Google Agenda.</translation>
    </message>
    <message>
        <source>Time Overview</source>
        <translation>Tijdoverzicht</translation>
    </message>
    <message>
        <source>Time for a long break</source>
        <translation>Tijd voor een lange pauze</translation>
    </message>
    <message>
        <source>Time for a short break</source>
        <translation>Tijd voor een korte pauze</translation>
    </message>
    <message>
        <source>Time tracking only</source>
        <translation>Alleen tijdregistratie</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Tijdlijn</translation>
    </message>
    <message>
        <source>Tivren</source>
        <translation>Tivren</translation>
    </message>
    <message>
        <source>Tivren Entry</source>
        <translation>Tivren-registratie</translation>
    </message>
    <message>
        <source>Tivren could not save %@ to %@: %@</source>
        <translation>Tivren kon %@ niet bewaren in %@: %@</translation>
    </message>
    <message>
        <source>Tivren is still loading your data; the change was not saved. Try again in a moment.</source>
        <translation>Tivren laadt je gegevens nog; de wijziging is niet bewaard. Probeer het zo nog eens.</translation>
    </message>
    <message>
        <source>Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar.</source>
        <translation>Tivren heeft volledige agendatoegang nodig om je agenda&apos;s te laden voordat je naar Apple Agenda exporteert.</translation>
    </message>
    <message>
        <source>Tivren will begin with no projects and no entries and save that. The unreadable file stays where it was kept.</source>
        <translation>Tivren begint zonder projecten en zonder registraties en bewaart dat. Het onleesbare bestand blijft waar het is bewaard.</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Vandaag</translation>
    </message>
    <message>
        <source>Tracked time in the selected date range will appear here.</source>
        <translation>Geregistreerde tijd in de geselecteerde periode verschijnt hier.</translation>
    </message>
    <message>
        <source>Tracked: %@</source>
        <translation>Geregistreerd: %@</translation>
    </message>
    <message>
        <source>Tracking %@</source>
        <translation>Bezig met %@</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Onbekend</translation>
    </message>
    <message>
        <source>Unknown Project</source>
        <translation>Onbekend project</translation>
    </message>
    <message>
        <source>Used when displaying hourly rates and billable amounts.</source>
        <translation>Wordt gebruikt voor het weergeven van uurtarieven en te factureren bedragen.</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>When enabled, starting a project timer runs a Pomodoro work/break cycle. Breaks pause tracking by default, or can stay billable if you include them in the tracked session.</source>
        <translation>Als dit is ingeschakeld, start een projecttimer een Pomodoro-cyclus van werk en pauzes. Pauzes onderbreken standaard de registratie, maar kunnen ook factureerbaar blijven als je ze meetelt in de geregistreerde sessie.</translation>
    </message>
    <message>
        <source>Work</source>
        <extracomment>Noun: the Pomodoro work phase, as opposed to a break.</extracomment>
        <translation>Werk</translation>
    </message>
    <message>
        <source>Work Reminders</source>
        <translation>Werkherinneringen</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>Bezig...</translation>
    </message>
    <message>
        <source>You&apos;ve been working for %@ — consider taking a short break.</source>
        <translation>Je bent al %@ aan het werk – neem eens een korte pauze.</translation>
    </message>
    <message>
        <source>Your Google sign-in expired. Please reconnect.</source>
        <translation>Je Google-aanmelding is verlopen. Maak opnieuw verbinding.</translation>
    </message>
    <message>
        <source>Your break is over - the next Pomodoro has started.</source>
        <translation>Je pauze is voorbij – de volgende Pomodoro is begonnen.</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>Abbreviation of minutes, shown after a number.</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>round nearest per entry</source>
        <translation>per registratie naar dichtstbijzijnde afronden</translation>
    </message>
    <message>
        <source>round project total</source>
        <translation>projecttotaal afronden</translation>
    </message>
    <message>
        <source>round up per entry</source>
        <translation>per registratie naar boven afronden</translation>
    </message>
    <message>
        <source>the calendar export links</source>
        <translation>de koppelingen van de agenda-export</translation>
    </message>
    <message>
        <source>the data file did not answer in time</source>
        <translation>het gegevensbestand reageerde niet op tijd</translation>
    </message>
    <message>
        <source>the latest changes</source>
        <translation>de laatste wijzigingen</translation>
    </message>
    <message>
        <source>the running timer on %@ (since %@)</source>
        <translation>de lopende timer voor %@ (sinds %@)</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>de instellingen</translation>
    </message>
    <message>
        <source>the stopped timer</source>
        <translation>de gestopte timer</translation>
    </message>
    <message>
        <source>work intervals</source>
        <translation>werkintervallen</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n registratie</numerusform>
            <numerusform>%n registraties</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries in range</source>
        <translation>
            <numerusform>%n registratie in periode</numerusform>
            <numerusform>%n registraties in periode</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n min</numerusform>
            <numerusform>%n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects in range</source>
        <translation>
            <numerusform>%n project in periode</numerusform>
            <numerusform>%n projecten in periode</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ready to export</source>
        <translation>
            <numerusform>%n klaar om te exporteren</numerusform>
            <numerusform>%n klaar om te exporteren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected projects</source>
        <translation>
            <numerusform>%n geselecteerd project</numerusform>
            <numerusform>%n geselecteerde projecten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>projects: %n</source>
        <translation>
            <numerusform>project: %n</numerusform>
            <numerusform>projecten: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>time entries: %n</source>
        <translation>
            <numerusform>tijdregistratie: %n</numerusform>
            <numerusform>tijdregistraties: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Tivren — Not tracking</source>
        <extracomment>The tray icon&apos;s tooltip while no timer runs.</extracomment>
        <translation>Tivren — Geen timer actief</translation>
    </message>
    <message>
        <source>Edit %@</source>
        <extracomment>Read by screen readers for the Edit button of a project; %@ is the project&apos;s name.
----------
Read by screen readers for the Edit button of a time entry; %@ is its project and times.</extracomment>
        <translation>%@ bewerken</translation>
    </message>
    <message>
        <source>Archive %@</source>
        <extracomment>Read by screen readers for the Archive button of a project; %@ is the project&apos;s name.</extracomment>
        <translation>%@ archiveren</translation>
    </message>
    <message>
        <source>Restore %@</source>
        <extracomment>Read by screen readers for the Restore button of an archived project; %@ is the project&apos;s name.</extracomment>
        <translation>%@ herstellen</translation>
    </message>
    <message>
        <source>Delete %@</source>
        <extracomment>Read by screen readers for the Delete button of a time entry; %@ is its project and times.</extracomment>
        <translation>%@ verwijderen</translation>
    </message>
    <message>
        <source>Week Timeline</source>
        <translation>Weektijdlijn</translation>
    </message>
    <message>
        <source>Tivren could not load a part of its installation (%@). Reinstalling Tivren may fix this.</source>
        <translation>Tivren kon een deel van zijn installatie niet laden (%@). Tivren opnieuw installeren kan dit verhelpen.</translation>
    </message>
    <message>
        <source>Could not import “%@”: %@</source>
        <translation>Kan “%@” niet importeren: %@</translation>
    </message>
    <message numerus="yes">
        <source>%n records cannot be imported:</source>
        <translation>
            <numerusform>%n record kan niet worden geïmporteerd:</numerusform>
            <numerusform>%n records kunnen niet worden geïmporteerd:</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %d: %@</source>
        <translation>Regel %d: %@</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>en nog %n</numerusform>
            <numerusform>en nog %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Import from %@</source>
        <translation>Importeren uit %@</translation>
    </message>
    <message>
        <source>Nothing new to add.</source>
        <translation>Niets nieuws om toe te voegen.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries will be added.</source>
        <translation>
            <numerusform>%n registratie wordt toegevoegd.</numerusform>
            <numerusform>%n registraties worden toegevoegd.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new projects: %@</source>
        <translation>
            <numerusform>%n nieuw project: %@</numerusform>
            <numerusform>%n nieuwe projecten: %@</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries are already in Tivren and will be skipped.</source>
        <translation>
            <numerusform>%n registratie staat al in Tivren en wordt overgeslagen.</numerusform>
            <numerusform>%n registraties staan al in Tivren en worden overgeslagen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries.</source>
        <translation>
            <numerusform>%n registratie geïmporteerd.</numerusform>
            <numerusform>%n registraties geïmporteerd.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Created %n projects.</source>
        <translation>
            <numerusform>%n project aangemaakt.</numerusform>
            <numerusform>%n projecten aangemaakt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Exports</source>
        <extracomment>A file dialog&apos;s filter: time tracking history exported from other apps</extracomment>
        <translation>Exportbestanden</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle bestanden</translation>
    </message>
    <message>
        <source>Bring Your History</source>
        <translation>Neem je geschiedenis mee</translation>
    </message>
    <message>
        <source>Import time entries exported from Toggl Track or Clockify (CSV), Timewarrior (timew export) or Watson (its frames file). You see what would change before anything does.</source>
        <translation>Importeer tijdregistraties die je uit Toggl Track of Clockify (CSV), Timewarrior (timew export) of Watson (het frames-bestand) hebt geëxporteerd. Je ziet eerst wat er zou veranderen, voordat er iets verandert.</translation>
    </message>
    <message>
        <source>Import…</source>
        <extracomment>A button: opens a file to import time entries from</extracomment>
        <translation>Importeren…</translation>
    </message>
    <message>
        <source>Import time entries from a file</source>
        <translation>Tijdregistraties uit een bestand importeren</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>A button: adds the previewed time entries and projects</extracomment>
        <translation>Importeren</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>Het is geen bestand.</translation>
    </message>
    <message>
        <source>It is larger than %d MiB; no export of time entries is that large.</source>
        <translation>Het is groter dan %d MiB; geen export van tijdregistraties is zo groot.</translation>
    </message>
    <message>
        <source>Time Away</source>
        <extracomment>The title of the question asked when the user comes back to a running timer</extracomment>
        <translation>Afwezigheid</translation>
    </message>
    <message numerus="yes">
        <source>You were away for %n min (since %@).</source>
        <translation>
            <numerusform>Je was %n min weg (sinds %@).</numerusform>
            <numerusform>Je was %n min weg (sinds %@).</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>A button: the time away counts, nothing changes</extracomment>
        <translation>Behouden</translation>
    </message>
    <message>
        <source>Discard</source>
        <extracomment>A button: the time away is not tracked, the timer goes on from now</extracomment>
        <translation>Schrappen</translation>
    </message>
    <message>
        <source>Stop at %@</source>
        <extracomment>A button: the entry ends when the user went away (a time of day), no timer runs</extracomment>
        <translation>Stoppen om %@</translation>
    </message>
    <message>
        <source>The time away counts; the timer goes on.</source>
        <translation>De tijd weg telt mee; de timer loopt door.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and a new one for the same project starts now.</source>
        <translation>De registratie eindigt om %@ en een nieuwe voor hetzelfde project begint nu.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and the timer stops.</source>
        <translation>De registratie eindigt om %@ en de timer stopt.</translation>
    </message>
    <message>
        <source>The dates could be month/day or day/month: no day in the file is above 12. Export it again with dates as YYYY-MM-DD.</source>
        <translation>De datums kunnen maand/dag of dag/maand zijn: geen dag in het bestand is hoger dan 12. Exporteer het opnieuw met datums als YYYY-MM-DD.</translation>
    </message>
    <message>
        <source>it has no end (a timer still running when the file was exported)</source>
        <translation>die heeft geen einde (een timer liep nog toen het bestand werd geëxporteerd)</translation>
    </message>
    <message>
        <source>“%@ %@” is not a date and time</source>
        <translation>“%@ %@” is geen datum en tijd</translation>
    </message>
    <message>
        <source>its end is not after its start</source>
        <translation>het einde ligt niet na het begin</translation>
    </message>
    <message>
        <source>This is not a Toggl Track or Clockify detailed CSV export, a Timewarrior export or Watson&apos;s frames file.</source>
        <translation>Dit is geen gedetailleerde CSV-export van Toggl Track of Clockify, geen Timewarrior-export en geen frames-bestand van Watson.</translation>
    </message>
    <message>
        <source>The CSV file ends inside a quoted field.</source>
        <translation>Het CSV-bestand eindigt midden in een veld tussen aanhalingstekens.</translation>
    </message>
    <message>
        <source>it has no end (an interval still open in Timewarrior)</source>
        <translation>die heeft geen einde (een interval dat in Timewarrior nog open is)</translation>
    </message>
    <message>
        <source>its start or end is not a time like 20260314T090000Z</source>
        <translation>het begin of einde is geen tijd zoals 20260314T090000Z</translation>
    </message>
    <message>
        <source>it is not a frame [start, stop, project, …]</source>
        <translation>het is geen frame [start, stop, project, …]</translation>
    </message>
    <message>
        <source>%@ %@ does not exist in this time zone (the clocks moved forward)</source>
        <translation>%@ %@ bestaat niet in deze tijdzone (de klok ging vooruit)</translation>
    </message>
    <message>
        <source>When you come back to a running timer after time away from the computer, or after it slept, Tivren asks whether that time counts.</source>
        <translation>Kom je terug bij een lopende timer na tijd weg van de computer, of nadat die sliep, dan vraagt Tivren of die tijd meetelt.</translation>
    </message>
    <message>
        <source>Ask about time away</source>
        <translation>Vragen naar tijd weg</translation>
    </message>
    <message>
        <source>Ask after</source>
        <extracomment>Followed by a number of minutes: ask once the user was away longer than that</extracomment>
        <translation>Vragen na</translation>
    </message>
    <message>
        <source>Minutes away before Tivren asks</source>
        <translation>Minuten weg voordat Tivren vraagt</translation>
    </message>
    <message>
        <source>This desktop does not tell Tivren when you are idle, so only time asleep is asked about.</source>
        <translation>Deze desktop laat Tivren niet weten wanneer je inactief bent, dus wordt alleen naar slaaptijd gevraagd.</translation>
    </message>
    <message>
        <source>Stop the timer when the screen locks</source>
        <translation>Timer stoppen wanneer het scherm vergrendelt</translation>
    </message>
</context>
</TS>
