<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Tivren</name>
    <message>
        <source>%@ - %@ remaining</source>
        <translation>%@ – noch %@</translation>
    </message>
    <message>
        <source>%@ / hour</source>
        <translation>%@ / Std.</translation>
    </message>
    <message>
        <source>%@ / hour • %@</source>
        <translation>%@ / Std. • %@</translation>
    </message>
    <message>
        <source>%@ h</source>
        <translation>%@ h</translation>
    </message>
    <message>
        <source>%@ h billed</source>
        <translation>%@ h abgerechnet</translation>
    </message>
    <message>
        <source>%@: %@ – %@</source>
        <translation>%@: %@ – %@</translation>
    </message>
    <message>
        <source>%@h</source>
        <translation>%@ h</translation>
    </message>
    <message>
        <source>%d %@</source>
        <translation>%d %@</translation>
    </message>
    <message>
        <source>15 min</source>
        <translation>15 Min.</translation>
    </message>
    <message>
        <source>30 min</source>
        <translation>30 Min.</translation>
    </message>
    <message>
        <source>60 min</source>
        <translation>60 Min.</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Projekt hinzufügen</translation>
    </message>
    <message>
        <source>Allow Calendar access in System Settings before exporting to Apple Calendar.</source>
        <translation>Vor dem Exportieren in Apple Kalender den Kalenderzugriff in den Systemeinstellungen erlauben.</translation>
    </message>
    <message>
        <source>Allow access to your Apple calendars, choose a default calendar, then export the entries from the Overview date range.</source>
        <translation>Zugriff auf die Kalender in Apple Kalender erlauben, einen Standardkalender wählen und dann die Einträge aus dem Zeitraum der Übersicht exportieren.</translation>
    </message>
    <message>
        <source>Amount Due</source>
        <translation>Fälliger Betrag</translation>
    </message>
    <message>
        <source>Apple Calendar</source>
        <translation>Apple Kalender</translation>
    </message>
    <message>
        <source>Apple Calendar could not save the event.</source>
        <translation>Apple Kalender konnte den Termin nicht speichern.</translation>
    </message>
    <message>
        <source>Archive</source>
        <extracomment>Verb, a menu action: move the project to the archive.</extracomment>
        <translation>Archivieren</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Archiviert</translation>
    </message>
    <message>
        <source>Back to work</source>
        <translation>Zurück an die Arbeit</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Abrechnung</translation>
    </message>
    <message>
        <source>Billing Overview</source>
        <translation>Abrechnungsübersicht</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>By Project</source>
        <translation>Nach Projekt</translation>
    </message>
    <message>
        <source>By the system clock, the running timer starts in the future; it now counts from when Tivren started.</source>
        <translation>Laut Systemuhr beginnt der laufende Timer in der Zukunft; er zählt jetzt ab dem Start von Tivren.</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Changes are not saved: Tivren cannot write to its data folder %@ (%@).</source>
        <translation>Änderungen werden nicht gespeichert: Tivren kann nicht in seinen Datenordner %@ schreiben (%@).</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is, and a copy was kept as %@. Mend the file and restart Tivren, or start afresh.</source>
        <translation>Änderungen werden nicht gespeichert: Die Datendatei konnte nicht gelesen werden. Sie bleibt unverändert, und eine Kopie wurde als %@ aufbewahrt. Die Datei reparieren und Tivren neu starten oder neu beginnen.</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is; mend or move it, then restart Tivren.</source>
        <translation>Änderungen werden nicht gespeichert: Die Datendatei konnte nicht gelesen werden. Sie bleibt unverändert; die Datei reparieren oder verschieben und Tivren dann neu starten.</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Änderungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Choose a calendar for at least one selected project to export.</source>
        <translation>Zum Exportieren mindestens einem ausgewählten Projekt einen Kalender zuweisen.</translation>
    </message>
    <message>
        <source>Choose a project below to start tracking.</source>
        <translation>Zum Starten der Zeiterfassung unten ein Projekt wählen.</translation>
    </message>
    <message>
        <source>Choose at least one selected project with a calendar first.</source>
        <translation>Zuerst mindestens ein ausgewähltes Projekt mit Kalender wählen.</translation>
    </message>
    <message>
        <source>Choose whether Tivren follows your system language or uses a specific app language.</source>
        <translation>Festlegen, ob Tivren der Systemsprache folgt oder eine bestimmte Sprache verwendet.</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connect Apple Calendar and refresh calendars first.</source>
        <translation>Zuerst Apple Kalender verbinden und die Kalender aktualisieren.</translation>
    </message>
    <message>
        <source>Connect Google Calendar and refresh calendars first.</source>
        <translation>Zuerst Google Kalender verbinden und die Kalender aktualisieren.</translation>
    </message>
    <message>
        <source>Connect a Google account, choose a calendar, then export the entries from the Overview date range.</source>
        <translation>Ein Google-Konto verbinden, einen Kalender wählen und dann die Einträge aus dem Zeitraum der Übersicht exportieren.</translation>
    </message>
    <message>
        <source>Connected to Apple Calendar.</source>
        <translation>Mit Apple Kalender verbunden.</translation>
    </message>
    <message>
        <source>Connected to Google Calendar.</source>
        <translation>Mit Google Kalender verbunden.</translation>
    </message>
    <message>
        <source>Connected. Selected calendar: %@</source>
        <translation>Verbunden. Ausgewählter Kalender: %@</translation>
    </message>
    <message>
        <source>Could not connect Apple Calendar: %@</source>
        <translation>Apple Kalender konnte nicht verbunden werden: %@</translation>
    </message>
    <message>
        <source>Could not connect Google Calendar: %@</source>
        <translation>Google Kalender konnte nicht verbunden werden: %@</translation>
    </message>
    <message>
        <source>Could not disconnect Google Calendar: %@</source>
        <translation>Google Kalender konnte nicht getrennt werden: %@</translation>
    </message>
    <message>
        <source>Could not export CSV: %@</source>
        <translation>CSV konnte nicht exportiert werden: %@</translation>
    </message>
    <message>
        <source>Could not export to Apple Calendar: %@</source>
        <translation>Export in Apple Kalender fehlgeschlagen: %@</translation>
    </message>
    <message>
        <source>Could not export to Google Calendar: %@</source>
        <translation>Export in Google Kalender fehlgeschlagen: %@</translation>
    </message>
    <message>
        <source>Could not load Apple calendars: %@</source>
        <translation>Kalenderliste von Apple Kalender konnte nicht geladen werden: %@</translation>
    </message>
    <message>
        <source>Could not load Google calendars: %@</source>
        <translation>Kalenderliste von Google Kalender konnte nicht geladen werden: %@</translation>
    </message>
    <message>
        <source>Could not load saved data: %@</source>
        <translation>Gespeicherte Daten konnten nicht geladen werden: %@</translation>
    </message>
    <message>
        <source>Could not parse the Google authorization callback.</source>
        <translation>Die Rückmeldung der Google-Autorisierung konnte nicht verarbeitet werden.</translation>
    </message>
    <message>
        <source>Could not reach Google: %@</source>
        <translation>Google ist nicht erreichbar: %@</translation>
    </message>
    <message>
        <source>Could not read the Google authorization callback.</source>
        <translation>Die Rückmeldung der Google-Autorisierung konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Could not receive the Google sign-in on port %d: %@</source>
        <translation>Die Google-Anmeldung konnte auf Port %d nicht empfangen werden: %@</translation>
    </message>
    <message>
        <source>Could not save your changes: %@</source>
        <translation>Änderungen konnten nicht gespeichert werden: %@</translation>
    </message>
    <message>
        <source>Could not update launch at login: %@</source>
        <translation>Die Einstellung „Bei Anmeldung starten“ konnte nicht geändert werden: %@</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Create Your First Project</source>
        <translation>Erstes Projekt erstellen</translation>
    </message>
    <message>
        <source>Create a project to start tracking time from the Overview.</source>
        <translation>Sobald ein Projekt erstellt ist, lässt sich die Zeit direkt in der Übersicht erfassen.</translation>
    </message>
    <message>
        <source>Create a project with an hourly rate, then start tracking it from the menu bar.</source>
        <translation>Ein Projekt mit Stundensatz erstellen und die Zeit dann über die Menüleiste erfassen.</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Währung</translation>
    </message>
    <message>
        <source>Currently Tracking</source>
        <translation>Laufende Zeiterfassung</translation>
    </message>
    <message>
        <source>Currently following %@.</source>
        <translation>Derzeit gilt die Systemsprache %@.</translation>
    </message>
    <message>
        <source>Currently using %@.</source>
        <translation>Derzeit wird %@ verwendet.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Custom billing increment in minutes</source>
        <translation>Eigener Abrechnungstakt in Minuten</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Niederländisch</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>Edit Project</source>
        <translation>Projekt bearbeiten</translation>
    </message>
    <message>
        <source>Enable Pomodoro timer</source>
        <translation>Pomodoro-Timer aktivieren</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Entries</source>
        <extracomment>Short heading over the number of time entries.</extracomment>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Verb, a button: send the selected entries to the calendars.</extracomment>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export Apple Calendar</source>
        <translation>In Apple Kalender exportieren</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Import abgeschlossen</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Export abgeschlossen</translation>
    </message>
    <message>
        <source>Export Google Calendar</source>
        <translation>In Google Kalender exportieren</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar.</source>
        <translation>%@ in Apple Kalender exportiert.</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar. Skipped %@ without a calendar.</source>
        <translation>%@ in Apple Kalender exportiert. %@ ohne Kalender übersprungen.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar.</source>
        <translation>%@ in Google Kalender exportiert.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar. Skipped %@ without a calendar.</source>
        <translation>%@ in Google Kalender exportiert. %@ ohne Kalender übersprungen.</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Google Calendar</source>
        <translation>Google Kalender</translation>
    </message>
    <message>
        <source>Google Calendar authorization was cancelled.</source>
        <translation>Die Autorisierung für Google Kalender wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Google Calendar returned an unexpected response.</source>
        <translation>Google Kalender hat eine unerwartete Antwort zurückgegeben.</translation>
    </message>
    <message>
        <source>Google answered with HTTP status %d.</source>
        <translation>Google hat mit HTTP-Status %d geantwortet.</translation>
    </message>
    <message>
        <source>Google did not answer in time.</source>
        <translation>Google hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Disconnect and connect again.</source>
        <translation>Google hat kein Aktualisierungstoken zurückgegeben. Bitte trennen und erneut verbinden.</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google hat keinen Autorisierungscode zurückgegeben.</translation>
    </message>
    <message>
        <source>Google lists more calendars than Tivren can read (over %d pages).</source>
        <translation>Google führt mehr Kalender auf, als Tivren lesen kann (über %d Seiten).</translation>
    </message>
    <message>
        <source>Google returned: %@</source>
        <translation>Antwort von Google: %@</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Half hour</source>
        <translation>Halbe Stunde</translation>
    </message>
    <message>
        <source>Hour</source>
        <extracomment>Billing increment: time is billed in whole hours.</extracomment>
        <translation>Stunde</translation>
    </message>
    <message>
        <source>Hours</source>
        <extracomment>Short heading over the total of tracked hours.</extracomment>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Include Pomodoro breaks in billing</source>
        <translation>Pomodoro-Pausen in die Abrechnung einbeziehen</translation>
    </message>
    <message>
        <source>Increment</source>
        <translation>Abrechnungstakt</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Jump back into a recent project or start any active project from here.</source>
        <translation>Hier an einem zuletzt verwendeten Projekt weiterarbeiten oder ein beliebiges aktives Projekt starten.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Lange Pause</translation>
    </message>
    <message>
        <source>Long break</source>
        <translation>Lange Pause</translation>
    </message>
    <message>
        <source>Long break after</source>
        <translation>Lange Pause nach</translation>
    </message>
    <message>
        <source>Manage Projects</source>
        <translation>Projekte verwalten</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Mint</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>Neues Projekt</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Nächste Woche</translation>
    </message>
    <message>
        <source>No active timer</source>
        <translation>Kein aktiver Timer</translation>
    </message>
    <message>
        <source>No entries</source>
        <translation>Keine Einträge</translation>
    </message>
    <message>
        <source>No entries this week</source>
        <translation>Keine Einträge in dieser Woche</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Noch keine Projekte</translation>
    </message>
    <message>
        <source>No time was tracked on this day.</source>
        <translation>An diesem Tag wurde keine Zeit erfasst.</translation>
    </message>
    <message>
        <source>No time was tracked this week.</source>
        <translation>In dieser Woche wurde keine Zeit erfasst.</translation>
    </message>
    <message>
        <source>No tracked time</source>
        <translation>Keine erfasste Zeit</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>Nicht verbunden.</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open Overview</source>
        <translation>Übersicht öffnen</translation>
    </message>
    <message>
        <source>Open Timeline</source>
        <translation>Zeitleiste öffnen</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>Play sound on phase change</source>
        <translation>Ton bei Phasenwechsel abspielen</translation>
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
        <translation>Vorschau: %@</translation>
    </message>
    <message>
        <source>Previous Week</source>
        <translation>Vorherige Woche</translation>
    </message>
    <message>
        <source>Project hourly rate (optional)</source>
        <translation>Stundensatz des Projekts (optional)</translation>
    </message>
    <message>
        <source>Project name</source>
        <translation>Projektname</translation>
    </message>
    <message>
        <source>Project: %@</source>
        <translation>Projekt: %@</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projekte</translation>
    </message>
    <message>
        <source>Quarter hour</source>
        <translation>Viertelstunde</translation>
    </message>
    <message>
        <source>Quick Ranges</source>
        <translation>Schnellauswahl</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Receive periodic reminders while tracking time. Each reminder shows a notification and a brief color flash at the screen edges.</source>
        <translation>Regelmäßige Erinnerungen während der Zeiterfassung erhalten. Jede Erinnerung zeigt eine Benachrichtigung und lässt die Bildschirmränder kurz farbig aufleuchten.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Erneut verbinden</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Läuft...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Refresh Calendars</source>
        <translation>Kalender aktualisieren</translation>
    </message>
    <message>
        <source>Remind every</source>
        <translation>Erinnern alle</translation>
    </message>
    <message>
        <source>Remind me while working</source>
        <translation>Während der Arbeit erinnern</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Round nearest each entry</source>
        <translation>Jeden Eintrag kaufmännisch runden</translation>
    </message>
    <message>
        <source>Round project total</source>
        <translation>Projektsumme runden</translation>
    </message>
    <message>
        <source>Round up each entry</source>
        <translation>Jeden Eintrag aufrunden</translation>
    </message>
    <message>
        <source>Rounding</source>
        <translation>Rundung</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Select a Google Calendar before exporting.</source>
        <translation>Vor dem Exportieren einen Kalender in Google Kalender auswählen.</translation>
    </message>
    <message>
        <source>Select an Apple Calendar before exporting.</source>
        <translation>Vor dem Exportieren einen Kalender in Apple Kalender auswählen.</translation>
    </message>
    <message>
        <source>Select which projects from the current Overview date range should be exported and choose the destination calendar for each one.</source>
        <translation>Projekte aus dem aktuellen Zeitraum der Übersicht zum Exportieren auswählen und für jedes einen Zielkalender festlegen.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Kurze Pause</translation>
    </message>
    <message>
        <source>Short break</source>
        <translation>Kurze Pause</translation>
    </message>
    <message>
        <source>Show screen edge overlay on break</source>
        <translation>Bildschirmränder in Pausen einfärben</translation>
    </message>
    <message>
        <source>Signed in as %@</source>
        <translation>Angemeldet als %@</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>Verb, a notification button: end the current Pomodoro phase now.</extracomment>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Pause überspringen</translation>
    </message>
    <message>
        <source>Skip Phase</source>
        <translation>Phase überspringen</translation>
    </message>
    <message>
        <source>Skip Pomodoro Phase</source>
        <translation>Pomodoro-Phase überspringen</translation>
    </message>
    <message>
        <source>Skip this project</source>
        <translation>Projekt überspringen</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Etwas ist schiefgelaufen</translation>
    </message>
    <message>
        <source>Source: Tivren</source>
        <translation>Quelle: Tivren</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>Noun, a field label: when the time entry began.
----------
Noun, a field label: the first day of the date range.</extracomment>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Start Afresh</source>
        <translation>Neu beginnen</translation>
    </message>
    <message>
        <source>Start Another Project</source>
        <translation>Anderes Projekt starten</translation>
    </message>
    <message>
        <source>Start Timer</source>
        <translation>Timer starten</translation>
    </message>
    <message>
        <source>Start and stop a project from the menu bar to create time entries.</source>
        <translation>Projekte über die Menüleiste starten und stoppen, um Zeiteinträge zu erstellen.</translation>
    </message>
    <message>
        <source>Start timer</source>
        <translation>Timer starten</translation>
    </message>
    <message>
        <source>Step away from the screen for a few minutes.</source>
        <translation>Ein paar Minuten Abstand vom Bildschirm nehmen.</translation>
    </message>
    <message>
        <source>Still working?</source>
        <translation>Noch bei der Arbeit?</translation>
    </message>
    <message>
        <source>Stop Timer</source>
        <extracomment>Verb, a button: stop tracking time.</extracomment>
        <translation>Timer stoppen</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Systemstandard</translation>
    </message>
    <message>
        <source>Take a longer break and recharge.</source>
        <translation>Eine längere Pause machen und neue Energie tanken.</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>The Apple Calendar “%@” is no longer available.</source>
        <translation>Der Kalender „%@“ in Apple Kalender ist nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>The Google authorization response did not match the current request.</source>
        <translation>Die Antwort der Google-Autorisierung passt nicht zur aktuellen Anfrage.</translation>
    </message>
    <message>
        <source>The Google sign-in was not finished in time. Please try again.</source>
        <translation>Die Google-Anmeldung wurde nicht rechtzeitig abgeschlossen. Bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>The data file was changed by another program; that version was kept as %@.</source>
        <translation>Die Datendatei wurde von einem anderen Programm geändert; diese Fassung wurde als %@ aufbewahrt.</translation>
    </message>
    <message>
        <source>The desktop calendar (Evolution Data Server) is not responding. Try again in a moment.</source>
        <translation>Der Desktop-Kalender (Evolution Data Server) antwortet nicht. Bitte gleich noch einmal versuchen.</translation>
    </message>
    <message>
        <source>The desktop calendar needs Evolution Data Server. Install the evolution-data-server package, then connect again.</source>
        <translation>Der Desktop-Kalender benötigt Evolution Data Server. Bitte das Paket evolution-data-server installieren und dann erneut verbinden.</translation>
    </message>
    <message>
        <source>The end time must be later than the start time.</source>
        <translation>Das Ende muss nach dem Beginn liegen.</translation>
    </message>
    <message>
        <source>The keyring could not be used: %@</source>
        <translation>Der Schlüsselbund konnte nicht verwendet werden: %@</translation>
    </message>
    <message>
        <source>The keyring did not answer in time. Make sure it is unlocked and try again.</source>
        <translation>Der Schlüsselbund hat nicht rechtzeitig geantwortet. Bitte sicherstellen, dass er entsperrt ist, und erneut versuchen.</translation>
    </message>
    <message>
        <source>The keyring is locked. Unlock it and try again.</source>
        <translation>Der Schlüsselbund ist gesperrt. Bitte entsperren und erneut versuchen.</translation>
    </message>
    <message>
        <source>The rate must be a number, such as %@.</source>
        <translation>Der Stundensatz muss eine Zahl sein, etwa %@.</translation>
    </message>
    <message>
        <source>The selected calendar “%@” is no longer listed. Choose another one.</source>
        <translation>Der gewählte Kalender „%@“ ist nicht mehr aufgeführt. Bitte einen anderen wählen.</translation>
    </message>
    <message>
        <source>The system clock went back while the timer ran; the entry uses the time that really passed.</source>
        <translation>Die Systemuhr wurde zurückgestellt, während der Timer lief; der Eintrag verwendet die tatsächlich vergangene Zeit.</translation>
    </message>
    <message>
        <source>There are no entries in the selected range to export.</source>
        <translation>Im ausgewählten Zeitraum gibt es keine Einträge zum Exportieren.</translation>
    </message>
    <message>
        <source>There are no projects in the selected range to export.</source>
        <translation>Im ausgewählten Zeitraum gibt es keine Projekte zum Exportieren.</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Dieses Jahr</translation>
    </message>
    <message>
        <source>This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar.</source>
        <translation>Dieser Build von Tivren hat keine Google-OAuth-Client-ID und kann daher keine Verbindung zu Google Kalender herstellen.</translation>
    </message>
    <message>
        <source>Time Overview</source>
        <translation>Zeitübersicht</translation>
    </message>
    <message>
        <source>Time for a long break</source>
        <translation>Zeit für eine lange Pause</translation>
    </message>
    <message>
        <source>Time for a short break</source>
        <translation>Zeit für eine kurze Pause</translation>
    </message>
    <message>
        <source>Time tracking only</source>
        <translation>Nur Zeiterfassung</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Tivren</source>
        <translation>Tivren</translation>
    </message>
    <message>
        <source>Tivren Entry</source>
        <translation>Tivren-Eintrag</translation>
    </message>
    <message>
        <source>Tivren could not save %@ to %@: %@</source>
        <translation>Tivren konnte %@ nicht in %@ speichern: %@</translation>
    </message>
    <message>
        <source>Tivren is still loading your data; the change was not saved. Try again in a moment.</source>
        <translation>Tivren lädt die Daten noch; die Änderung wurde nicht gespeichert. Bitte gleich noch einmal versuchen.</translation>
    </message>
    <message>
        <source>Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar.</source>
        <translation>Tivren benötigt vollen Kalenderzugriff, um vor dem Exportieren in Apple Kalender die Kalender laden zu können.</translation>
    </message>
    <message>
        <source>Tivren will begin with no projects and no entries and save that. The unreadable file stays where it was kept.</source>
        <translation>Tivren beginnt ohne Projekte und ohne Einträge und speichert das. Die unlesbare Datei bleibt, wo sie aufbewahrt wurde.</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Tracked time in the selected date range will appear here.</source>
        <translation>Die im ausgewählten Zeitraum erfasste Zeit wird hier angezeigt.</translation>
    </message>
    <message>
        <source>Tracked: %@</source>
        <translation>Erfasst: %@</translation>
    </message>
    <message>
        <source>Tracking %@</source>
        <translation>Zeiterfassung: %@</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Unknown Project</source>
        <translation>Unbekanntes Projekt</translation>
    </message>
    <message>
        <source>Used when displaying hourly rates and billable amounts.</source>
        <translation>Wird für die Anzeige von Stundensätzen und abrechenbaren Beträgen verwendet.</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>When enabled, starting a project timer runs a Pomodoro work/break cycle. Breaks pause tracking by default, or can stay billable if you include them in the tracked session.</source>
        <translation>Wenn aktiviert, startet der Timer eines Projekts einen Pomodoro-Zyklus aus Arbeit und Pausen. Pausen unterbrechen die Zeiterfassung standardmäßig, können aber abrechenbar bleiben, wenn sie in die erfasste Sitzung einbezogen werden.</translation>
    </message>
    <message>
        <source>Work</source>
        <extracomment>Noun: the Pomodoro work phase, as opposed to a break.</extracomment>
        <translation>Arbeit</translation>
    </message>
    <message>
        <source>Work Reminders</source>
        <translation>Arbeitserinnerungen</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>Wird ausgeführt...</translation>
    </message>
    <message>
        <source>You&apos;ve been working for %@ — consider taking a short break.</source>
        <translation>Schon %@ gearbeitet – wie wäre es mit einer kurzen Pause?</translation>
    </message>
    <message>
        <source>Your Google sign-in expired. Please reconnect.</source>
        <translation>Die Google-Anmeldung ist abgelaufen. Bitte erneut verbinden.</translation>
    </message>
    <message>
        <source>Your break is over - the next Pomodoro has started.</source>
        <translation>Die Pause ist vorbei – der nächste Pomodoro hat begonnen.</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>Abbreviation of minutes, shown after a number.</extracomment>
        <translation>Min.</translation>
    </message>
    <message>
        <source>round nearest per entry</source>
        <translation>pro Eintrag kaufmännisch gerundet</translation>
    </message>
    <message>
        <source>round project total</source>
        <translation>Projektsumme gerundet</translation>
    </message>
    <message>
        <source>round up per entry</source>
        <translation>pro Eintrag aufgerundet</translation>
    </message>
    <message>
        <source>the calendar export links</source>
        <translation>die Verknüpfungen des Kalenderexports</translation>
    </message>
    <message>
        <source>the data file did not answer in time</source>
        <translation>die Datendatei hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>the latest changes</source>
        <translation>die letzten Änderungen</translation>
    </message>
    <message>
        <source>the running timer on %@ (since %@)</source>
        <translation>der laufende Timer für %@ (seit %@)</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>die Einstellungen</translation>
    </message>
    <message>
        <source>the stopped timer</source>
        <translation>der gestoppte Timer</translation>
    </message>
    <message>
        <source>work intervals</source>
        <translation>Arbeitsintervallen</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries in range</source>
        <translation>
            <numerusform>%n Eintrag im Zeitraum</numerusform>
            <numerusform>%n Einträge im Zeitraum</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n Min.</numerusform>
            <numerusform>%n Min.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects in range</source>
        <translation>
            <numerusform>%n Projekt im Zeitraum</numerusform>
            <numerusform>%n Projekte im Zeitraum</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ready to export</source>
        <translation>
            <numerusform>%n bereit zum Exportieren</numerusform>
            <numerusform>%n bereit zum Exportieren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected projects</source>
        <translation>
            <numerusform>%n ausgewähltes Projekt</numerusform>
            <numerusform>%n ausgewählte Projekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>projects: %n</source>
        <translation>
            <numerusform>Projekt: %n</numerusform>
            <numerusform>Projekte: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>time entries: %n</source>
        <translation>
            <numerusform>Zeiteintrag: %n</numerusform>
            <numerusform>Zeiteinträge: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Tivren — Not tracking</source>
        <extracomment>The tray icon&apos;s tooltip while no timer runs.</extracomment>
        <translation>Tivren — Keine Zeiterfassung</translation>
    </message>
    <message>
        <source>Edit %@</source>
        <extracomment>Read by screen readers for the Edit button of a project; %@ is the project&apos;s name.
----------
Read by screen readers for the Edit button of a time entry; %@ is its project and times.</extracomment>
        <translation>%@ bearbeiten</translation>
    </message>
    <message>
        <source>Archive %@</source>
        <extracomment>Read by screen readers for the Archive button of a project; %@ is the project&apos;s name.</extracomment>
        <translation>%@ archivieren</translation>
    </message>
    <message>
        <source>Restore %@</source>
        <extracomment>Read by screen readers for the Restore button of an archived project; %@ is the project&apos;s name.</extracomment>
        <translation>%@ wiederherstellen</translation>
    </message>
    <message>
        <source>Delete %@</source>
        <extracomment>Read by screen readers for the Delete button of a time entry; %@ is its project and times.</extracomment>
        <translation>%@ löschen</translation>
    </message>
    <message>
        <source>Week Timeline</source>
        <translation>Wochenzeitleiste</translation>
    </message>
    <message>
        <source>Tivren could not load a part of its installation (%@). Reinstalling Tivren may fix this.</source>
        <translation>Tivren konnte einen Teil seiner Installation nicht laden (%@). Eine Neuinstallation von Tivren kann das beheben.</translation>
    </message>
    <message>
        <source>Could not import “%@”: %@</source>
        <translation>„%@“ konnte nicht importiert werden: %@</translation>
    </message>
    <message numerus="yes">
        <source>%n records cannot be imported:</source>
        <translation>
            <numerusform>%n Datensatz kann nicht importiert werden:</numerusform>
            <numerusform>%n Datensätze können nicht importiert werden:</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %d: %@</source>
        <translation>Zeile %d: %@</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiterer</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Import from %@</source>
        <translation>Aus %@ importieren</translation>
    </message>
    <message>
        <source>Nothing new to add.</source>
        <translation>Nichts Neues hinzuzufügen.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries will be added.</source>
        <translation>
            <numerusform>%n Eintrag wird hinzugefügt.</numerusform>
            <numerusform>%n Einträge werden hinzugefügt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new projects: %@</source>
        <translation>
            <numerusform>%n neues Projekt: %@</numerusform>
            <numerusform>%n neue Projekte: %@</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries are already in Tivren and will be skipped.</source>
        <translation>
            <numerusform>%n Eintrag ist bereits in Tivren und wird übersprungen.</numerusform>
            <numerusform>%n Einträge sind bereits in Tivren und werden übersprungen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries.</source>
        <translation>
            <numerusform>%n Eintrag importiert.</numerusform>
            <numerusform>%n Einträge importiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Created %n projects.</source>
        <translation>
            <numerusform>%n Projekt angelegt.</numerusform>
            <numerusform>%n Projekte angelegt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Exports</source>
        <extracomment>A file dialog&apos;s filter: time tracking history exported from other apps</extracomment>
        <translation>Exporte</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Bring Your History</source>
        <translation>Verlauf mitnehmen</translation>
    </message>
    <message>
        <source>Import time entries exported from Toggl Track or Clockify (CSV), Timewarrior (timew export) or Watson (its frames file). You see what would change before anything does.</source>
        <translation>Zeiteinträge aus Toggl Track oder Clockify (CSV), Timewarrior (timew export) oder Watson (frames-Datei) importieren. Vor jeder Änderung wird angezeigt, was sich ändern würde.</translation>
    </message>
    <message>
        <source>Import…</source>
        <extracomment>A button: opens a file to import time entries from</extracomment>
        <translation>Importieren…</translation>
    </message>
    <message>
        <source>Import time entries from a file</source>
        <translation>Zeiteinträge aus einer Datei importieren</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>A button: adds the previewed time entries and projects</extracomment>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>Es ist keine Datei.</translation>
    </message>
    <message>
        <source>It is larger than %d MiB; no export of time entries is that large.</source>
        <translation>Sie ist größer als %d MiB; kein Export von Zeiteinträgen ist so groß.</translation>
    </message>
    <message>
        <source>Time Away</source>
        <extracomment>The title of the question asked when the user comes back to a running timer</extracomment>
        <translation>Abwesenheit</translation>
    </message>
    <message numerus="yes">
        <source>You were away for %n min (since %@).</source>
        <translation>
            <numerusform>%n Min. abwesend (seit %@).</numerusform>
            <numerusform>%n Min. abwesend (seit %@).</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>A button: the time away counts, nothing changes</extracomment>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Discard</source>
        <extracomment>A button: the time away is not tracked, the timer goes on from now</extracomment>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Stop at %@</source>
        <extracomment>A button: the entry ends when the user went away (a time of day), no timer runs</extracomment>
        <translation>Um %@ stoppen</translation>
    </message>
    <message>
        <source>The time away counts; the timer goes on.</source>
        <translation>Die Zeit der Abwesenheit zählt; der Timer läuft weiter.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and a new one for the same project starts now.</source>
        <translation>Der Eintrag endet um %@, und ein neuer für dasselbe Projekt beginnt jetzt.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and the timer stops.</source>
        <translation>Der Eintrag endet um %@, und der Timer stoppt.</translation>
    </message>
    <message>
        <source>The dates could be month/day or day/month: no day in the file is above 12. Export it again with dates as YYYY-MM-DD.</source>
        <translation>Die Daten könnten Monat/Tag oder Tag/Monat sein: Kein Tag in der Datei ist größer als 12. Die Datei erneut mit Daten im Format YYYY-MM-DD exportieren.</translation>
    </message>
    <message>
        <source>it has no end (a timer still running when the file was exported)</source>
        <translation>er hat kein Ende (ein Timer lief noch, als die Datei exportiert wurde)</translation>
    </message>
    <message>
        <source>“%@ %@” is not a date and time</source>
        <translation>„%@ %@“ ist kein Datum mit Uhrzeit</translation>
    </message>
    <message>
        <source>its end is not after its start</source>
        <translation>sein Ende liegt nicht nach seinem Beginn</translation>
    </message>
    <message>
        <source>This is not a Toggl Track or Clockify detailed CSV export, a Timewarrior export or Watson&apos;s frames file.</source>
        <translation>Das ist weder ein detaillierter CSV-Export von Toggl Track oder Clockify noch ein Timewarrior-Export oder die frames-Datei von Watson.</translation>
    </message>
    <message>
        <source>The CSV file ends inside a quoted field.</source>
        <translation>Die CSV-Datei endet innerhalb eines Feldes in Anführungszeichen.</translation>
    </message>
    <message>
        <source>it has no end (an interval still open in Timewarrior)</source>
        <translation>er hat kein Ende (ein in Timewarrior noch offenes Intervall)</translation>
    </message>
    <message>
        <source>its start or end is not a time like 20260314T090000Z</source>
        <translation>sein Beginn oder Ende ist keine Zeit wie 20260314T090000Z</translation>
    </message>
    <message>
        <source>it is not a frame [start, stop, project, …]</source>
        <translation>er ist kein Frame [start, stop, project, …]</translation>
    </message>
    <message>
        <source>%@ %@ does not exist in this time zone (the clocks moved forward)</source>
        <translation>%@ %@ gibt es in dieser Zeitzone nicht (die Uhren wurden vorgestellt)</translation>
    </message>
    <message>
        <source>When you come back to a running timer after time away from the computer, or after it slept, Tivren asks whether that time counts.</source>
        <translation>Nach einer Zeit fern vom Computer oder nach seinem Ruhezustand fragt Tivren bei laufendem Timer, ob diese Zeit zählt.</translation>
    </message>
    <message>
        <source>Ask about time away</source>
        <translation>Nach Abwesenheit fragen</translation>
    </message>
    <message>
        <source>Ask after</source>
        <extracomment>Followed by a number of minutes: ask once the user was away longer than that</extracomment>
        <translation>Fragen nach</translation>
    </message>
    <message>
        <source>Minutes away before Tivren asks</source>
        <translation>Minuten Abwesenheit, bevor Tivren fragt</translation>
    </message>
    <message>
        <source>This desktop does not tell Tivren when you are idle, so only time asleep is asked about.</source>
        <translation>Diese Arbeitsumgebung meldet Tivren keine Inaktivität; gefragt wird nur nach Zeit im Ruhezustand.</translation>
    </message>
    <message>
        <source>Stop the timer when the screen locks</source>
        <translation>Timer stoppen, wenn der Bildschirm gesperrt wird</translation>
    </message>
</context>
</TS>
