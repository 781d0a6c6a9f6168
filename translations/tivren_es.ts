<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Tivren</name>
    <message>
        <source>%@ - %@ remaining</source>
        <translation>%@ - quedan %@</translation>
    </message>
    <message>
        <source>%@ / hour</source>
        <translation>%@ / hora</translation>
    </message>
    <message>
        <source>%@ / hour • %@</source>
        <translation>%@ / hora • %@</translation>
    </message>
    <message>
        <source>%@ h</source>
        <translation>%@ h</translation>
    </message>
    <message>
        <source>%@ h billed</source>
        <translation>%@ h facturadas</translation>
    </message>
    <message>
        <source>%@: %@ – %@</source>
        <translation>%@: %@ – %@</translation>
    </message>
    <message>
        <source>%@h</source>
        <translation>%@h</translation>
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
        <translation>Activos</translation>
    </message>
    <message>
        <source>Add Project</source>
        <translation>Añadir proyecto</translation>
    </message>
    <message>
        <source>Allow Calendar access in System Settings before exporting to Apple Calendar.</source>
        <translation>Permite el acceso al calendario en la configuración del sistema antes de exportar a Calendario de Apple.</translation>
    </message>
    <message>
        <source>Allow access to your Apple calendars, choose a default calendar, then export the entries from the Overview date range.</source>
        <translation>Permite el acceso a tus calendarios de Apple, elige un calendario predeterminado y exporta las entradas del intervalo de fechas del Resumen.</translation>
    </message>
    <message>
        <source>Amount Due</source>
        <translation>Importe a facturar</translation>
    </message>
    <message>
        <source>Apple Calendar</source>
        <translation>Calendario de Apple</translation>
    </message>
    <message>
        <source>Apple Calendar could not save the event.</source>
        <translation>Calendario de Apple no pudo guardar el evento.</translation>
    </message>
    <message>
        <source>Archive</source>
        <extracomment>Verb, a menu action: move the project to the archive.</extracomment>
        <translation>Archivar</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Archivados</translation>
    </message>
    <message>
        <source>Back to work</source>
        <translation>De vuelta al trabajo</translation>
    </message>
    <message>
        <source>Billing</source>
        <translation>Facturación</translation>
    </message>
    <message>
        <source>Billing Overview</source>
        <translation>Resumen de facturación</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>By Project</source>
        <translation>Por proyecto</translation>
    </message>
    <message>
        <source>By the system clock, the running timer starts in the future; it now counts from when Tivren started.</source>
        <translation>Según el reloj del sistema, el temporizador en marcha empieza en el futuro; ahora cuenta desde que se inició Tivren.</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>Archivos CSV</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Changes are not saved: Tivren cannot write to its data folder %@ (%@).</source>
        <translation>Los cambios no se guardan: Tivren no puede escribir en su carpeta de datos %@ (%@).</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is, and a copy was kept as %@. Mend the file and restart Tivren, or start afresh.</source>
        <translation>Los cambios no se guardan: no se pudo leer el archivo de datos. Se deja tal como está y se guardó una copia como %@. Repara el archivo y vuelve a abrir Tivren, o empieza de cero.</translation>
    </message>
    <message>
        <source>Changes are not saved: the data file could not be read. It is left as it is; mend or move it, then restart Tivren.</source>
        <translation>Los cambios no se guardan: no se pudo leer el archivo de datos. Se deja tal como está; repáralo o muévelo y vuelve a abrir Tivren.</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Cambios no guardados</translation>
    </message>
    <message>
        <source>Choose a calendar for at least one selected project to export.</source>
        <translation>Para exportar, elige un calendario para al menos uno de los proyectos seleccionados.</translation>
    </message>
    <message>
        <source>Choose a project below to start tracking.</source>
        <translation>Elige un proyecto de la lista para empezar a registrar tiempo.</translation>
    </message>
    <message>
        <source>Choose at least one selected project with a calendar first.</source>
        <translation>Primero selecciona al menos un proyecto que tenga un calendario asignado.</translation>
    </message>
    <message>
        <source>Choose whether Tivren follows your system language or uses a specific app language.</source>
        <translation>Elige si Tivren sigue el idioma del sistema o usa un idioma concreto para la aplicación.</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Connect Apple Calendar and refresh calendars first.</source>
        <translation>Primero conecta Calendario de Apple y actualiza los calendarios.</translation>
    </message>
    <message>
        <source>Connect Google Calendar and refresh calendars first.</source>
        <translation>Primero conecta Google Calendar y actualiza los calendarios.</translation>
    </message>
    <message>
        <source>Connect a Google account, choose a calendar, then export the entries from the Overview date range.</source>
        <translation>Conecta una cuenta de Google, elige un calendario y exporta las entradas del intervalo de fechas del Resumen.</translation>
    </message>
    <message>
        <source>Connected to Apple Calendar.</source>
        <translation>Conectado a Calendario de Apple.</translation>
    </message>
    <message>
        <source>Connected to Google Calendar.</source>
        <translation>Conectado a Google Calendar.</translation>
    </message>
    <message>
        <source>Connected. Selected calendar: %@</source>
        <translation>Conectado. Calendario seleccionado: %@</translation>
    </message>
    <message>
        <source>Could not connect Apple Calendar: %@</source>
        <translation>No se pudo conectar con Calendario de Apple: %@</translation>
    </message>
    <message>
        <source>Could not connect Google Calendar: %@</source>
        <translation>No se pudo conectar con Google Calendar: %@</translation>
    </message>
    <message>
        <source>Could not disconnect Google Calendar: %@</source>
        <translation>No se pudo desconectar Google Calendar: %@</translation>
    </message>
    <message>
        <source>Could not export CSV: %@</source>
        <translation>No se pudo exportar el CSV: %@</translation>
    </message>
    <message>
        <source>Could not export to Apple Calendar: %@</source>
        <translation>No se pudo exportar a Calendario de Apple: %@</translation>
    </message>
    <message>
        <source>Could not export to Google Calendar: %@</source>
        <translation>No se pudo exportar a Google Calendar: %@</translation>
    </message>
    <message>
        <source>Could not load Apple calendars: %@</source>
        <translation>No se pudieron cargar los calendarios de Apple: %@</translation>
    </message>
    <message>
        <source>Could not load Google calendars: %@</source>
        <translation>No se pudieron cargar los calendarios de Google: %@</translation>
    </message>
    <message>
        <source>Could not load saved data: %@</source>
        <translation>No se pudieron cargar los datos guardados: %@</translation>
    </message>
    <message>
        <source>Could not parse the Google authorization callback.</source>
        <translation>No se pudo interpretar la redirección de autorización de Google.</translation>
    </message>
    <message>
        <source>Could not reach Google: %@</source>
        <translation>No se pudo contactar con Google: %@</translation>
    </message>
    <message>
        <source>Could not read the Google authorization callback.</source>
        <translation>No se pudo leer la redirección de autorización de Google.</translation>
    </message>
    <message>
        <source>Could not receive the Google sign-in on port %d: %@</source>
        <translation>No se pudo recibir el inicio de sesión de Google en el puerto %d: %@</translation>
    </message>
    <message>
        <source>Could not save your changes: %@</source>
        <translation>No se pudieron guardar los cambios: %@</translation>
    </message>
    <message>
        <source>Could not update launch at login: %@</source>
        <translation>No se pudo cambiar la opción «Abrir al iniciar sesión»: %@</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Create Your First Project</source>
        <translation>Crea tu primer proyecto</translation>
    </message>
    <message>
        <source>Create a project to start tracking time from the Overview.</source>
        <translation>Crea un proyecto para empezar a registrar tiempo desde el Resumen.</translation>
    </message>
    <message>
        <source>Create a project with an hourly rate, then start tracking it from the menu bar.</source>
        <translation>Crea un proyecto con una tarifa por hora y empieza a registrar su tiempo desde la barra de menús.</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Moneda</translation>
    </message>
    <message>
        <source>Currently Tracking</source>
        <translation>Registrando ahora</translation>
    </message>
    <message>
        <source>Currently following %@.</source>
        <translation>Idioma actual del sistema: %@.</translation>
    </message>
    <message>
        <source>Currently using %@.</source>
        <translation>Idioma actual: %@.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Custom billing increment in minutes</source>
        <translation>Incremento de facturación personalizado (en minutos)</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Neerlandés</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Editar entrada</translation>
    </message>
    <message>
        <source>Edit Project</source>
        <translation>Editar proyecto</translation>
    </message>
    <message>
        <source>Enable Pomodoro timer</source>
        <translation>Activar temporizador Pomodoro</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Entries</source>
        <extracomment>Short heading over the number of time entries.</extracomment>
        <translation>Entradas</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Verb, a button: send the selected entries to the calendars.</extracomment>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Export Apple Calendar</source>
        <translation>Exportar a Calendario de Apple</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Importación completada</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Exportación completada</translation>
    </message>
    <message>
        <source>Export Google Calendar</source>
        <translation>Exportar a Google Calendar</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar.</source>
        <translation>Exportación a Calendario de Apple completada: %@.</translation>
    </message>
    <message>
        <source>Exported %@ to Apple Calendar. Skipped %@ without a calendar.</source>
        <translation>Exportación a Calendario de Apple completada: %@. Sin exportar por no tener calendario: %@.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar.</source>
        <translation>Exportación a Google Calendar completada: %@.</translation>
    </message>
    <message>
        <source>Exported %@ to Google Calendar. Skipped %@ without a calendar.</source>
        <translation>Exportación a Google Calendar completada: %@. Sin exportar por no tener calendario: %@.</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francés</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemán</translation>
    </message>
    <message>
        <source>Google Calendar</source>
        <translation>Google Calendar</translation>
    </message>
    <message>
        <source>Google Calendar authorization was cancelled.</source>
        <translation>Se canceló la autorización de Google Calendar.</translation>
    </message>
    <message>
        <source>Google Calendar returned an unexpected response.</source>
        <translation>Google Calendar devolvió una respuesta inesperada.</translation>
    </message>
    <message>
        <source>Google answered with HTTP status %d.</source>
        <translation>Google respondió con el estado HTTP %d.</translation>
    </message>
    <message>
        <source>Google did not answer in time.</source>
        <translation>Google no respondió a tiempo.</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Disconnect and connect again.</source>
        <translation>Google no devolvió un token de actualización. Desconecta y vuelve a conectar.</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google no devolvió un código de autorización.</translation>
    </message>
    <message>
        <source>Google lists more calendars than Tivren can read (over %d pages).</source>
        <translation>Google muestra más calendarios de los que Tivren puede leer (más de %d páginas).</translation>
    </message>
    <message>
        <source>Google returned: %@</source>
        <translation>Google devolvió: %@</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Half hour</source>
        <translation>Media hora</translation>
    </message>
    <message>
        <source>Hour</source>
        <extracomment>Billing increment: time is billed in whole hours.</extracomment>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Hours</source>
        <extracomment>Short heading over the total of tracked hours.</extracomment>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Include Pomodoro breaks in billing</source>
        <translation>Incluir los descansos Pomodoro en la facturación</translation>
    </message>
    <message>
        <source>Increment</source>
        <translation>Incremento</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Índigo</translation>
    </message>
    <message>
        <source>Jump back into a recent project or start any active project from here.</source>
        <translation>Retoma un proyecto reciente o inicia cualquier proyecto activo desde aquí.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Últimos 30 días</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>Últimos 7 días</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Long Break</source>
        <translation>Descanso largo</translation>
    </message>
    <message>
        <source>Long break</source>
        <translation>Descanso largo</translation>
    </message>
    <message>
        <source>Long break after</source>
        <translation>Descanso largo tras</translation>
    </message>
    <message>
        <source>Manage Projects</source>
        <translation>Gestionar proyectos</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Menta</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>Nuevo proyecto</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Semana siguiente</translation>
    </message>
    <message>
        <source>No active timer</source>
        <translation>Sin temporizador activo</translation>
    </message>
    <message>
        <source>No entries</source>
        <translation>Sin entradas</translation>
    </message>
    <message>
        <source>No entries this week</source>
        <translation>Sin entradas esta semana</translation>
    </message>
    <message>
        <source>No projects yet</source>
        <translation>Aún no hay proyectos</translation>
    </message>
    <message>
        <source>No time was tracked on this day.</source>
        <translation>No se registró tiempo este día.</translation>
    </message>
    <message>
        <source>No time was tracked this week.</source>
        <translation>No se registró tiempo esta semana.</translation>
    </message>
    <message>
        <source>No tracked time</source>
        <translation>Sin tiempo registrado</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>No conectado.</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Open Overview</source>
        <translation>Abrir Resumen</translation>
    </message>
    <message>
        <source>Open Timeline</source>
        <translation>Abrir Cronología</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Opcional</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Naranja</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Play sound on phase change</source>
        <translation>Reproducir un sonido al cambiar de fase</translation>
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
        <translation>Vista previa: %@</translation>
    </message>
    <message>
        <source>Previous Week</source>
        <translation>Semana anterior</translation>
    </message>
    <message>
        <source>Project hourly rate (optional)</source>
        <translation>Tarifa por hora del proyecto (opcional)</translation>
    </message>
    <message>
        <source>Project name</source>
        <translation>Nombre del proyecto</translation>
    </message>
    <message>
        <source>Project: %@</source>
        <translation>Proyecto: %@</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Proyectos</translation>
    </message>
    <message>
        <source>Quarter hour</source>
        <translation>Cuarto de hora</translation>
    </message>
    <message>
        <source>Quick Ranges</source>
        <translation>Intervalos rápidos</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Receive periodic reminders while tracking time. Each reminder shows a notification and a brief color flash at the screen edges.</source>
        <translation>Recibe recordatorios periódicos mientras registras tiempo. Cada recordatorio muestra una notificación y un breve destello de color en los bordes de la pantalla.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Reconectar</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Registrando...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Refresh Calendars</source>
        <translation>Actualizar calendarios</translation>
    </message>
    <message>
        <source>Remind every</source>
        <translation>Recordar cada</translation>
    </message>
    <message>
        <source>Remind me while working</source>
        <translation>Enviarme recordatorios mientras trabajo</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Round nearest each entry</source>
        <translation>Redondear cada entrada al valor más cercano</translation>
    </message>
    <message>
        <source>Round project total</source>
        <translation>Redondear el total del proyecto</translation>
    </message>
    <message>
        <source>Round up each entry</source>
        <translation>Redondear cada entrada hacia arriba</translation>
    </message>
    <message>
        <source>Rounding</source>
        <translation>Redondeo</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En curso</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sección</translation>
    </message>
    <message>
        <source>Select a Google Calendar before exporting.</source>
        <translation>Selecciona un calendario de Google antes de exportar.</translation>
    </message>
    <message>
        <source>Select an Apple Calendar before exporting.</source>
        <translation>Selecciona un calendario de Apple antes de exportar.</translation>
    </message>
    <message>
        <source>Select which projects from the current Overview date range should be exported and choose the destination calendar for each one.</source>
        <translation>Selecciona qué proyectos del intervalo de fechas actual del Resumen quieres exportar y elige el calendario de destino de cada uno.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Short Break</source>
        <translation>Descanso corto</translation>
    </message>
    <message>
        <source>Short break</source>
        <translation>Descanso corto</translation>
    </message>
    <message>
        <source>Show screen edge overlay on break</source>
        <translation>Resaltar los bordes de la pantalla durante los descansos</translation>
    </message>
    <message>
        <source>Signed in as %@</source>
        <translation>Sesión iniciada como %@</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>Verb, a notification button: end the current Pomodoro phase now.</extracomment>
        <translation>Saltar</translation>
    </message>
    <message>
        <source>Skip Break</source>
        <translation>Saltar descanso</translation>
    </message>
    <message>
        <source>Skip Phase</source>
        <translation>Saltar fase</translation>
    </message>
    <message>
        <source>Skip Pomodoro Phase</source>
        <translation>Saltar fase del Pomodoro</translation>
    </message>
    <message>
        <source>Skip this project</source>
        <translation>Omitir este proyecto</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>Algo salió mal</translation>
    </message>
    <message>
        <source>Source: Tivren</source>
        <translation>Origen: Tivren</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Start</source>
        <extracomment>Noun, a field label: when the time entry began.
----------
Noun, a field label: the first day of the date range.</extracomment>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Start Afresh</source>
        <translation>Empezar de cero</translation>
    </message>
    <message>
        <source>Start Another Project</source>
        <translation>Iniciar otro proyecto</translation>
    </message>
    <message>
        <source>Start Timer</source>
        <translation>Iniciar temporizador</translation>
    </message>
    <message>
        <source>Start and stop a project from the menu bar to create time entries.</source>
        <translation>Inicia y detén un proyecto desde la barra de menús para crear entradas de tiempo.</translation>
    </message>
    <message>
        <source>Start timer</source>
        <translation>Iniciar temporizador</translation>
    </message>
    <message>
        <source>Step away from the screen for a few minutes.</source>
        <translation>Aléjate de la pantalla unos minutos.</translation>
    </message>
    <message>
        <source>Still working?</source>
        <translation>¿Sigues trabajando?</translation>
    </message>
    <message>
        <source>Stop Timer</source>
        <extracomment>Verb, a button: stop tracking time.</extracomment>
        <translation>Detener temporizador</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Predeterminado del sistema</translation>
    </message>
    <message>
        <source>Take a longer break and recharge.</source>
        <translation>Tómate un descanso más largo y recarga energías.</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>The Apple Calendar “%@” is no longer available.</source>
        <translation>El calendario «%@» ya no está disponible en Calendario de Apple.</translation>
    </message>
    <message>
        <source>The Google authorization response did not match the current request.</source>
        <translation>La respuesta de autorización de Google no coincide con la solicitud actual.</translation>
    </message>
    <message>
        <source>The Google sign-in was not finished in time. Please try again.</source>
        <translation>El inicio de sesión en Google no se completó a tiempo. Vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>The data file was changed by another program; that version was kept as %@.</source>
        <translation>Otro programa cambió el archivo de datos; esa versión se guardó como %@.</translation>
    </message>
    <message>
        <source>The desktop calendar (Evolution Data Server) is not responding. Try again in a moment.</source>
        <translation>El calendario del escritorio (Evolution Data Server) no responde. Vuelve a intentarlo en un momento.</translation>
    </message>
    <message>
        <source>The desktop calendar needs Evolution Data Server. Install the evolution-data-server package, then connect again.</source>
        <translation>El calendario del escritorio necesita Evolution Data Server. Instala el paquete evolution-data-server y vuelve a conectarte.</translation>
    </message>
    <message>
        <source>The end time must be later than the start time.</source>
        <translation>La hora de fin debe ser posterior a la hora de inicio.</translation>
    </message>
    <message>
        <source>The keyring could not be used: %@</source>
        <translation>No se pudo usar el depósito de claves: %@</translation>
    </message>
    <message>
        <source>The keyring did not answer in time. Make sure it is unlocked and try again.</source>
        <translation>El depósito de claves no respondió a tiempo. Asegúrate de que esté desbloqueado y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>The keyring is locked. Unlock it and try again.</source>
        <translation>El depósito de claves está bloqueado. Desbloquéalo y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>The rate must be a number, such as %@.</source>
        <translation>La tarifa debe ser un número, por ejemplo %@.</translation>
    </message>
    <message>
        <source>The selected calendar “%@” is no longer listed. Choose another one.</source>
        <translation>El calendario elegido «%@» ya no aparece en la lista. Elige otro.</translation>
    </message>
    <message>
        <source>The system clock went back while the timer ran; the entry uses the time that really passed.</source>
        <translation>El reloj del sistema se atrasó mientras el temporizador estaba en marcha; la entrada usa el tiempo que realmente pasó.</translation>
    </message>
    <message>
        <source>There are no entries in the selected range to export.</source>
        <translation>No hay entradas que exportar en el intervalo seleccionado.</translation>
    </message>
    <message>
        <source>There are no projects in the selected range to export.</source>
        <translation>No hay proyectos que exportar en el intervalo seleccionado.</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Este mes</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Esta semana</translation>
    </message>
    <message>
        <source>This Year</source>
        <translation>Este año</translation>
    </message>
    <message>
        <source>This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar.</source>
        <translation>Esta compilación de Tivren no tiene un ID de cliente OAuth de Google, por lo que no puede conectarse a Google Calendar.</translation>
    </message>
    <message>
        <source>Time Overview</source>
        <translation>Resumen de tiempo</translation>
    </message>
    <message>
        <source>Time for a long break</source>
        <translation>Es hora de un descanso largo</translation>
    </message>
    <message>
        <source>Time for a short break</source>
        <translation>Es hora de un descanso corto</translation>
    </message>
    <message>
        <source>Time tracking only</source>
        <translation>Solo registro de tiempo</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Cronología</translation>
    </message>
    <message>
        <source>Tivren</source>
        <translation>Tivren</translation>
    </message>
    <message>
        <source>Tivren Entry</source>
        <translation>Entrada de Tivren</translation>
    </message>
    <message>
        <source>Tivren could not save %@ to %@: %@</source>
        <translation>Tivren no pudo guardar %@ en %@: %@</translation>
    </message>
    <message>
        <source>Tivren is still loading your data; the change was not saved. Try again in a moment.</source>
        <translation>Tivren todavía está cargando tus datos; el cambio no se ha guardado. Inténtalo de nuevo en un momento.</translation>
    </message>
    <message>
        <source>Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar.</source>
        <translation>Tivren necesita acceso completo al calendario para cargar tus calendarios antes de exportar a Calendario de Apple.</translation>
    </message>
    <message>
        <source>Tivren will begin with no projects and no entries and save that. The unreadable file stays where it was kept.</source>
        <translation>Tivren empezará sin proyectos ni registros y lo guardará. El archivo ilegible se queda donde se guardó.</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Tracked time in the selected date range will appear here.</source>
        <translation>El tiempo registrado en el intervalo de fechas seleccionado aparecerá aquí.</translation>
    </message>
    <message>
        <source>Tracked: %@</source>
        <translation>Registrado: %@</translation>
    </message>
    <message>
        <source>Tracking %@</source>
        <translation>Registrando %@</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Unknown Project</source>
        <translation>Proyecto desconocido</translation>
    </message>
    <message>
        <source>Used when displaying hourly rates and billable amounts.</source>
        <translation>Se usa al mostrar las tarifas por hora y los importes facturables.</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semana</translation>
    </message>
    <message>
        <source>When enabled, starting a project timer runs a Pomodoro work/break cycle. Breaks pause tracking by default, or can stay billable if you include them in the tracked session.</source>
        <translation>Si está activado, al iniciar el temporizador de un proyecto se ejecuta un ciclo Pomodoro de trabajo y descanso. De forma predeterminada, los descansos pausan el registro, pero pueden seguir siendo facturables si los incluyes en la sesión registrada.</translation>
    </message>
    <message>
        <source>Work</source>
        <extracomment>Noun: the Pomodoro work phase, as opposed to a break.</extracomment>
        <translation>Trabajo</translation>
    </message>
    <message>
        <source>Work Reminders</source>
        <translation>Recordatorios de trabajo</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>Procesando...</translation>
    </message>
    <message>
        <source>You&apos;ve been working for %@ — consider taking a short break.</source>
        <translation>Llevas %@ trabajando. Plantéate tomar un descanso corto.</translation>
    </message>
    <message>
        <source>Your Google sign-in expired. Please reconnect.</source>
        <translation>Tu inicio de sesión en Google ha caducado. Vuelve a conectarte.</translation>
    </message>
    <message>
        <source>Your break is over - the next Pomodoro has started.</source>
        <translation>Tu descanso ha terminado: ha empezado el siguiente Pomodoro.</translation>
    </message>
    <message>
        <source>min</source>
        <extracomment>Abbreviation of minutes, shown after a number.</extracomment>
        <translation>min</translation>
    </message>
    <message>
        <source>round nearest per entry</source>
        <translation>redondeo al valor más cercano por entrada</translation>
    </message>
    <message>
        <source>round project total</source>
        <translation>redondeo del total del proyecto</translation>
    </message>
    <message>
        <source>round up per entry</source>
        <translation>redondeo hacia arriba por entrada</translation>
    </message>
    <message>
        <source>the calendar export links</source>
        <translation>los vínculos de la exportación al calendario</translation>
    </message>
    <message>
        <source>the data file did not answer in time</source>
        <translation>el archivo de datos no respondió a tiempo</translation>
    </message>
    <message>
        <source>the latest changes</source>
        <translation>los últimos cambios</translation>
    </message>
    <message>
        <source>the running timer on %@ (since %@)</source>
        <translation>el temporizador en marcha de %@ (desde %@)</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>los ajustes</translation>
    </message>
    <message>
        <source>the stopped timer</source>
        <translation>el temporizador detenido</translation>
    </message>
    <message>
        <source>work intervals</source>
        <translation>intervalos de trabajo</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entrada</numerusform>
            <numerusform>%n entradas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries in range</source>
        <translation>
            <numerusform>%n entrada en el intervalo</numerusform>
            <numerusform>%n entradas en el intervalo</numerusform>
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
            <numerusform>%n proyecto en el intervalo</numerusform>
            <numerusform>%n proyectos en el intervalo</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ready to export</source>
        <translation>
            <numerusform>%n listo para exportar</numerusform>
            <numerusform>%n listos para exportar</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected projects</source>
        <translation>
            <numerusform>%n proyecto seleccionado</numerusform>
            <numerusform>%n proyectos seleccionados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>projects: %n</source>
        <translation>
            <numerusform>proyecto: %n</numerusform>
            <numerusform>proyectos: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>time entries: %n</source>
        <translation>
            <numerusform>registro de tiempo: %n</numerusform>
            <numerusform>registros de tiempo: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Tivren — Not tracking</source>
        <extracomment>The tray icon&apos;s tooltip while no timer runs.</extracomment>
        <translation>Tivren — Sin registro activo</translation>
    </message>
    <message>
        <source>Edit %@</source>
        <extracomment>Read by screen readers for the Edit button of a project; %@ is the project&apos;s name.
----------
Read by screen readers for the Edit button of a time entry; %@ is its project and times.</extracomment>
        <translation>Editar %@</translation>
    </message>
    <message>
        <source>Archive %@</source>
        <extracomment>Read by screen readers for the Archive button of a project; %@ is the project&apos;s name.</extracomment>
        <translation>Archivar %@</translation>
    </message>
    <message>
        <source>Restore %@</source>
        <extracomment>Read by screen readers for the Restore button of an archived project; %@ is the project&apos;s name.</extracomment>
        <translation>Restaurar %@</translation>
    </message>
    <message>
        <source>Delete %@</source>
        <extracomment>Read by screen readers for the Delete button of a time entry; %@ is its project and times.</extracomment>
        <translation>Eliminar %@</translation>
    </message>
    <message>
        <source>Week Timeline</source>
        <translation>Cronología semanal</translation>
    </message>
    <message>
        <source>Tivren could not load a part of its installation (%@). Reinstalling Tivren may fix this.</source>
        <translation>Tivren no pudo cargar una parte de su instalación (%@). Reinstalar Tivren puede solucionarlo.</translation>
    </message>
    <message>
        <source>Could not import “%@”: %@</source>
        <translation>No se pudo importar «%@»: %@</translation>
    </message>
    <message numerus="yes">
        <source>%n records cannot be imported:</source>
        <translation>
            <numerusform>%n registro no se puede importar:</numerusform>
            <numerusform>%n registros no se pueden importar:</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %d: %@</source>
        <translation>Línea %d: %@</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>y %n más</numerusform>
            <numerusform>y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>Import from %@</source>
        <translation>Importar desde %@</translation>
    </message>
    <message>
        <source>Nothing new to add.</source>
        <translation>No hay nada nuevo que añadir.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries will be added.</source>
        <translation>
            <numerusform>Se añadirá %n entrada.</numerusform>
            <numerusform>Se añadirán %n entradas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new projects: %@</source>
        <translation>
            <numerusform>%n proyecto nuevo: %@</numerusform>
            <numerusform>%n proyectos nuevos: %@</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries are already in Tivren and will be skipped.</source>
        <translation>
            <numerusform>%n entrada ya está en Tivren y se omitirá.</numerusform>
            <numerusform>%n entradas ya están en Tivren y se omitirán.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries.</source>
        <translation>
            <numerusform>Se importó %n entrada.</numerusform>
            <numerusform>Se importaron %n entradas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Created %n projects.</source>
        <translation>
            <numerusform>Se creó %n proyecto.</numerusform>
            <numerusform>Se crearon %n proyectos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Exports</source>
        <extracomment>A file dialog&apos;s filter: time tracking history exported from other apps</extracomment>
        <translation>Exportaciones</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Bring Your History</source>
        <translation>Trae tu historial</translation>
    </message>
    <message>
        <source>Import time entries exported from Toggl Track or Clockify (CSV), Timewarrior (timew export) or Watson (its frames file). You see what would change before anything does.</source>
        <translation>Importa registros de tiempo exportados de Toggl Track o Clockify (CSV), Timewarrior (timew export) o Watson (su archivo frames). Verás lo que cambiaría antes de que cambie nada.</translation>
    </message>
    <message>
        <source>Import…</source>
        <extracomment>A button: opens a file to import time entries from</extracomment>
        <translation>Importar…</translation>
    </message>
    <message>
        <source>Import time entries from a file</source>
        <translation>Importar registros de tiempo desde un archivo</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>A button: adds the previewed time entries and projects</extracomment>
        <translation>Importar</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>No es un archivo.</translation>
    </message>
    <message>
        <source>It is larger than %d MiB; no export of time entries is that large.</source>
        <translation>Ocupa más de %d MiB; ninguna exportación de registros de tiempo es tan grande.</translation>
    </message>
    <message>
        <source>Time Away</source>
        <extracomment>The title of the question asked when the user comes back to a running timer</extracomment>
        <translation>Tiempo ausente</translation>
    </message>
    <message numerus="yes">
        <source>You were away for %n min (since %@).</source>
        <translation>
            <numerusform>Has estado fuera %n min (desde las %@).</numerusform>
            <numerusform>Has estado fuera %n min (desde las %@).</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <extracomment>A button: the time away counts, nothing changes</extracomment>
        <translation>Conservar</translation>
    </message>
    <message>
        <source>Discard</source>
        <extracomment>A button: the time away is not tracked, the timer goes on from now</extracomment>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Stop at %@</source>
        <extracomment>A button: the entry ends when the user went away (a time of day), no timer runs</extracomment>
        <translation>Detener a las %@</translation>
    </message>
    <message>
        <source>The time away counts; the timer goes on.</source>
        <translation>El tiempo ausente cuenta; el temporizador sigue.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and a new one for the same project starts now.</source>
        <translation>La entrada termina a las %@ y ahora empieza una nueva para el mismo proyecto.</translation>
    </message>
    <message>
        <source>The entry ends at %@ and the timer stops.</source>
        <translation>La entrada termina a las %@ y el temporizador se detiene.</translation>
    </message>
    <message>
        <source>The dates could be month/day or day/month: no day in the file is above 12. Export it again with dates as YYYY-MM-DD.</source>
        <translation>Las fechas podrían ser mes/día o día/mes: ningún día del archivo pasa de 12. Vuelve a exportarlo con las fechas como YYYY-MM-DD.</translation>
    </message>
    <message>
        <source>it has no end (a timer still running when the file was exported)</source>
        <translation>no tiene fin (un temporizador seguía en marcha al exportar el archivo)</translation>
    </message>
    <message>
        <source>“%@ %@” is not a date and time</source>
        <translation>«%@ %@» no es una fecha y hora</translation>
    </message>
    <message>
        <source>its end is not after its start</source>
        <translation>su fin no es posterior a su inicio</translation>
    </message>
    <message>
        <source>This is not a Toggl Track or Clockify detailed CSV export, a Timewarrior export or Watson&apos;s frames file.</source>
        <translation>No es una exportación CSV detallada de Toggl Track o Clockify, ni una exportación de Timewarrior, ni el archivo frames de Watson.</translation>
    </message>
    <message>
        <source>The CSV file ends inside a quoted field.</source>
        <translation>El archivo CSV termina dentro de un campo entre comillas.</translation>
    </message>
    <message>
        <source>it has no end (an interval still open in Timewarrior)</source>
        <translation>no tiene fin (un intervalo aún abierto en Timewarrior)</translation>
    </message>
    <message>
        <source>its start or end is not a time like 20260314T090000Z</source>
        <translation>su inicio o su fin no es una hora como 20260314T090000Z</translation>
    </message>
    <message>
        <source>it is not a frame [start, stop, project, …]</source>
        <translation>no es un frame [start, stop, project, …]</translation>
    </message>
    <message>
        <source>%@ %@ does not exist in this time zone (the clocks moved forward)</source>
        <translation>%@ %@ no existe en esta zona horaria (los relojes se adelantaron)</translation>
    </message>
    <message>
        <source>When you come back to a running timer after time away from the computer, or after it slept, Tivren asks whether that time counts.</source>
        <translation>Cuando vuelves a un temporizador en marcha tras un rato lejos del ordenador, o después de que este se suspendiera, Tivren pregunta si ese tiempo cuenta.</translation>
    </message>
    <message>
        <source>Ask about time away</source>
        <translation>Preguntar por el tiempo ausente</translation>
    </message>
    <message>
        <source>Ask after</source>
        <extracomment>Followed by a number of minutes: ask once the user was away longer than that</extracomment>
        <translation>Preguntar tras</translation>
    </message>
    <message>
        <source>Minutes away before Tivren asks</source>
        <translation>Minutos ausente antes de que Tivren pregunte</translation>
    </message>
    <message>
        <source>This desktop does not tell Tivren when you are idle, so only time asleep is asked about.</source>
        <translation>Este escritorio no indica a Tivren cuándo estás inactivo, así que solo se pregunta por el tiempo en suspensión.</translation>
    </message>
    <message>
        <source>Stop the timer when the screen locks</source>
        <translation>Detener el temporizador al bloquear la pantalla</translation>
    </message>
</context>
</TS>
