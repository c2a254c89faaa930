<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>corvane::TrafficChart</name>
    <message>
        <source>other</source>
        <translation>otros</translation>
    </message>
    <message>
        <source>peak %1 a minute</source>
        <translation>máximo %1 por minuto</translation>
    </message>
</context>
<context>
    <name>corvane::TrafficMonitor</name>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>Received: %1 messages a second</source>
        <translation>Recibidos: %1 mensajes por segundo</translation>
    </message>
    <message>
        <source>Stored: %1 messages a second</source>
        <translation>Guardados: %1 mensajes por segundo</translation>
    </message>
    <message>
        <source>Dropped by the receive queue: %1</source>
        <translation>Descartados por la cola de recepción: %1</translation>
    </message>
    <message>
        <source>Dropped by the system: %1</source>
        <translation>Descartados por el sistema: %1</translation>
    </message>
    <message>
        <source>Dropped by the system: not known</source>
        <translation>Descartados por el sistema: desconocido</translation>
    </message>
    <message>
        <source>Connections refused: %1</source>
        <translation>Conexiones rechazadas: %1</translation>
    </message>
    <message>
        <source>Last hour: %1 messages</source>
        <translation>Última hora: %1 mensajes</translation>
    </message>
</context>
<context>
    <name>corvane::SenderModel</name>
    <message>
        <source>Sender</source>
        <translation>Remitente</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Mensajes</translation>
    </message>
    <message>
        <source>Last Hour</source>
        <translation>Última hora</translation>
    </message>
    <message>
        <source>Per Minute</source>
        <translation>Por minuto</translation>
    </message>
    <message>
        <source>Highest Today</source>
        <translation>Máxima hoy</translation>
    </message>
    <message>
        <source>First Seen</source>
        <translation>Visto por primera vez</translation>
    </message>
    <message>
        <source>Last Seen</source>
        <translation>Visto por última vez</translation>
    </message>
</context>
<context>
    <name>corvane::SendersPage</name>
    <message>
        <source>Senders</source>
        <translation>Remitentes</translation>
    </message>
</context>
<context>
    <name>corvane::ExchangeActions</name>
    <message>
        <source>Export View...</source>
        <translation>Exportar vista...</translation>
    </message>
    <message>
        <source>Import Log File...</source>
        <translation>Importar archivo de registro...</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>JSON Lines (*.jsonl)</source>
        <translation>JSON Lines (*.jsonl)</translation>
    </message>
    <message>
        <source>Syslog text (*.log)</source>
        <translation>Texto syslog (*.log)</translation>
    </message>
    <message>
        <source>Export View</source>
        <translation>Exportar vista</translation>
    </message>
    <message>
        <source>messages.csv</source>
        <translation>mensajes.csv</translation>
    </message>
    <message>
        <source>Import Log File</source>
        <translation>Importar archivo de registro</translation>
    </message>
    <message>
        <source>Log files (*.log *.gz *.jsonl *.txt syslog* messages*);;All files (*)</source>
        <translation>Archivos de registro (*.log *.gz *.jsonl *.txt syslog* messages*);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Exporting %1 messages...</source>
        <translation>Exportando %1 mensajes...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>%1 messages exported to %2.</source>
        <translation>%1 mensajes exportados a %2.</translation>
    </message>
    <message>
        <source>Messages are being stored; try the import again in a moment.</source>
        <translation>Se están guardando mensajes; intente importar de nuevo en un momento.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importando %1...</translation>
    </message>
    <message>
        <source>%1: %2 lines read, %3 stored, %4 skipped.</source>
        <translation>%1: %2 líneas leídas, %3 guardadas, %4 omitidas.</translation>
    </message>
    <message>
        <source>The first line that could not be taken in is line %1.</source>
        <translation>La primera línea que no se pudo incorporar es la línea %1.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Cancelado.</translation>
    </message>
</context>
<context>
    <name>corvane::DetailsPane</name>
    <message>
        <source>From: %1 at Address: %2, Host: %3, related process %4.</source>
        <translation>De: %1 en la dirección: %2, host: %3, proceso relacionado %4.</translation>
    </message>
</context>
<context>
    <name>corvane::HelpWindow</name>
    <message>
        <source>Corvane Help</source>
        <translation>Ayuda de Corvane</translation>
    </message>
</context>
<context>
    <name>corvane::MessageGrid</name>
    <message>
        <source>Delete all selected records?</source>
        <translation>¿Eliminar todos los registros seleccionados?</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>¿Eliminar el registro?</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Proceso</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Origen</translation>
    </message>
</context>
<context>
    <name>corvane::TDuration</name>
    <message>
        <source> 0w 0d 00:00:00 </source>
        <translation> 0s 0d 00:00:00 </translation>
    </message>
    <message>
        <source>%1:w %2:d %3:h</source>
        <extracomment>Weeks, days and the time of day of the up-time: keep the three numbers and the colons.</extracomment>
        <translation>%1:s %2:d %3:h</translation>
    </message>
</context>
<context>
    <name>corvane::TLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Please choose a language. . .</source>
        <translation>Elija un idioma…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>corvane::TMsgDialog</name>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Don&apos;t ask again.</source>
        <translation>No volver a preguntar.</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>corvane::TSettings</name>
    <message>
        <source>Desktop notification</source>
        <translation>Notificación de escritorio</translation>
    </message>
    <message>
        <source>Send test mail</source>
        <translation>Enviar correo de prueba</translation>
    </message>
    <message>
        <source>The test mail was sent to %1.</source>
        <translation>El correo de prueba se envió a %1.</translation>
    </message>
    <message>
        <source>The test mail could not be sent: %1</source>
        <translation>No se pudo enviar el correo de prueba: %1</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Notificación</translation>
    </message>
    <message>
        <source>Detailed</source>
        <translation>Detalles</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Local UDP Listen Port - </source>
        <translation>Puerto UDP local de escucha - </translation>
    </message>
    <message>
        <source>Network interfaces [Local IP Address(s)] - </source>
        <translation>Interfaces de red [direcciones IP locales] - </translation>
    </message>
    <message>
        <source>Local TCP Listen Port - </source>
        <translation>Puerto TCP local de escucha - </translation>
    </message>
    <message>
        <source> - Application Updates - </source>
        <translation> - Actualizaciones del programa - </translation>
    </message>
    <message>
        <source>Check for Application Updates.</source>
        <translation>Buscar actualizaciones del programa.</translation>
    </message>
    <message>
        <source>Vantro update Host Web/HTTP Server  -</source>
        <translation>Servidor de actualizaciones Vantro  -</translation>
    </message>
    <message>
        <source> - Messages Kept (0 = all) - </source>
        <translation> - Conservar (0 = todos) - </translation>
    </message>
    <message>
        <source>Number -</source>
        <translation>Número -</translation>
    </message>
    <message>
        <source>Days -</source>
        <translation>Días -</translation>
    </message>
    <message>
        <source>Save progam Location</source>
        <translation>Guardar posición de ventana</translation>
    </message>
    <message>
        <source>Show window on new message</source>
        <translation>Mostrar ventana con mensaje nuevo</translation>
    </message>
    <message>
        <source> - Simple Notification - </source>
        <translation> - Notificación sencilla - </translation>
    </message>
    <message>
        <source>Play sound when Message received.</source>
        <translation>Reproducir un sonido al recibir un mensaje.</translation>
    </message>
    <message>
        <source>Send E-Mail notification to ---</source>
        <translation>Enviar notificación por correo a ---</translation>
    </message>
    <message>
        <source>Host mail Server/Gateway  -</source>
        <translation>Servidor/pasarela de correo  -</translation>
    </message>
    <message>
        <source>User Name :</source>
        <translation>Usuario:</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Pto.:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Use SSL/TLS</source>
        <translation>Usar SSL/TLS</translation>
    </message>
    <message>
        <source>Condition -</source>
        <translation>Condición -</translation>
    </message>
    <message>
        <source>Facility :</source>
        <translation>Facilidad:</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Gravedad:</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Contains :</source>
        <translation>Contiene:</translation>
    </message>
    <message>
        <source>Facilities</source>
        <translation>Facilidades</translation>
    </message>
    <message>
        <source>Severities</source>
        <translation>Gravedades</translation>
    </message>
    <message>
        <source>Custom Icons</source>
        <translation>Iconos propios</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Server used for updates</source>
        <translation>Servidor de actualizaciones</translation>
    </message>
    <message>
        <source>Email address to notify</source>
        <translation>Correo del destinatario</translation>
    </message>
    <message>
        <source>Server used to send mail.</source>
        <translation>Servidor de envío de correo.</translation>
    </message>
    <message>
        <source>Mail host login ID</source>
        <translation>Usuario del servidor</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Text or Characters</source>
        <translation>Texto o caracteres</translation>
    </message>
</context>
<context>
    <name>corvane::TSplashForm</name>
    <message>
        <source>Version: %1.%2.%3.%4</source>
        <translation>Versión: %1.%2.%3.%4</translation>
    </message>
</context>
<context>
    <name>corvane::TSysLogForm</name>
    <message>
        <source> Simple </source>
        <translation> Sencillo </translation>
    </message>
    <message>
        <source> Advanced </source>
        <translation> Avanzado </translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Gravedad</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source> Setup </source>
        <translation> Configuración </translation>
    </message>
    <message>
        <source> Help </source>
        <translation> Ayuda </translation>
    </message>
    <message>
        <source> Close </source>
        <translation> Salir </translation>
    </message>
    <message>
        <source> Clear </source>
        <translation> Borrar </translation>
    </message>
    <message>
        <source> Apply </source>
        <translation> Aplicar </translation>
    </message>
    <message>
        <source> Edit </source>
        <translation> Editar </translation>
    </message>
    <message>
        <source> Dropped: %1</source>
        <translation> Descartados: %1</translation>
    </message>
    <message>
        <source>Delete all %1 messages in view?</source>
        <translation>¿Eliminar los %1 mensajes mostrados?</translation>
    </message>
    <message>
        <source> %1 new</source>
        <translation> %1 nuevos</translation>
    </message>
    <message>
        <source>Messages that arrived while you read; click or press End to follow them</source>
        <translation>Mensajes llegados mientras leía; haga clic o pulse Fin para seguirlos</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Borrar todo</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Advanced data Filter experssion</source>
        <translation>Expresión de filtro avanzada</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Of last - </source>
        <translation>Últimos - </translation>
    </message>
    <message>
        <source>IP Address - </source>
        <translation>Dirección IP - </translation>
    </message>
    <message>
        <source>For - </source>
        <translation>Para - </translation>
    </message>
    <message>
        <source>with Severity - </source>
        <translation>con gravedad - </translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Facilidad</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Gravedad:</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>N/D</translation>
    </message>
    <message>
        <source>Process:</source>
        <translation>Proceso:</translation>
    </message>
    <message>
        <source>No current process</source>
        <translation>Ningún proceso actual</translation>
    </message>
    <message>
        <source>Process ID:</source>
        <translation>ID de proceso:</translation>
    </message>
    <message>
        <source> Raw Data (8bit ASCII)</source>
        <translation> Datos brutos (ASCII 8 bits)</translation>
    </message>
    <message>
        <source> Description: </source>
        <translation> Descripción: </translation>
    </message>
    <message>
        <source> Message - </source>
        <translation> Mensaje - </translation>
    </message>
    <message>
        <source> Address - </source>
        <translation> Dirección - </translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source> Up Time: </source>
        <translation> Activo: </translation>
    </message>
    <message>
        <source> Events: </source>
        <translation> Eventos: </translation>
    </message>
    <message>
        <source>TCP connections closed for want of a free slot: %1</source>
        <translation>Conexiones TCP cerradas por falta de un hueco libre: %1</translation>
    </message>
    <message>
        <source>Datagrams that arrived faster than they could be taken in</source>
        <translation>Datagramas que llegaron más rápido de lo que se podían procesar</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>UDP listening on %1</source>
        <translation>UDP escuchando en %1</translation>
    </message>
    <message>
        <source>UDP not listening</source>
        <translation>UDP sin escuchar</translation>
    </message>
    <message>
        <source>TCP listening on %1</source>
        <translation>TCP escuchando en %1</translation>
    </message>
    <message>
        <source>TCP not listening: %1</source>
        <translation>TCP sin escuchar: %1</translation>
    </message>
    <message>
        <source>TCP off</source>
        <translation>TCP desactivado</translation>
    </message>
    <message>
        <source> TCP %1 off</source>
        <translation> TCP %1 inactivo</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>Notification Mail</source>
        <translation>Correo de aviso</translation>
    </message>
    <message>
        <source>The notification mail could not be sent: %1</source>
        <translation>No se pudo enviar el correo de aviso: %1</translation>
    </message>
    <message>
        <source>It is tried again later; the matching messages are kept for it.</source>
        <translation>Se volverá a intentar más tarde; los mensajes coincidentes se guardan para ello.</translation>
    </message>
    <message>
        <source>No mail address to notify is set.</source>
        <translation>No hay ninguna dirección de correo a la que avisar.</translation>
    </message>
    <message>
        <source>No mail server is set.</source>
        <translation>No hay ningún servidor de correo.</translation>
    </message>
    <message>
        <source>The mail server port is not a number from 1 to 65535.</source>
        <translation>El puerto del servidor de correo no es un número de 1 a 65535.</translation>
    </message>
    <message>
        <source>Update Host</source>
        <translation>Actualizar host</translation>
    </message>
    <message>
        <source>Save Data</source>
        <translation>Guardar datos</translation>
    </message>
    <message>
        <source>The received messages could not be saved. They are kept in memory and saving is tried again with the next message.</source>
        <translation>No se pudieron guardar los mensajes recibidos. Se conservan en memoria y se volverá a intentar guardarlos con el próximo mensaje.</translation>
    </message>
    <message>
        <source>Could not read the settings file %1: %2</source>
        <translation>No se pudo leer el archivo de configuración %1: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is too large to be a settings file.</source>
        <translation>El archivo %1 es demasiado grande para ser un archivo de configuración.</translation>
    </message>
    <message>
        <source>Could not write the settings file %1: %2</source>
        <translation>No se pudo escribir el archivo de configuración %1: %2</translation>
    </message>
    <message>
        <source>Get Data</source>
        <translation>Obtener datos</translation>
    </message>
    <message>
        <source>An error has occured obtaining Data from the Server.</source>
        <translation>Se produjo un error al obtener los datos del servidor.</translation>
    </message>
    <message>
        <source>The Host name could not be resolved to an IP address.</source>
        <translation>No se pudo resolver el nombre de host en una dirección IP.</translation>
    </message>
    <message>
        <source>Update Check</source>
        <translation>Búsqueda de actualizaciones</translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2</source>
        <translation>No se pudo crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>Could not write the file %1: %2</source>
        <translation>No se pudo escribir el archivo %1: %2</translation>
    </message>
    <message>
        <source>Filter expression incorrectly terminated</source>
        <translation>La expresión de filtro no termina correctamente</translation>
    </message>
    <message>
        <source>Unterminated field name</source>
        <translation>Nombre de campo sin cerrar</translation>
    </message>
    <message>
        <source>Unterminated string constant</source>
        <translation>Constante de cadena sin cerrar</translation>
    </message>
    <message>
        <source>Invalid filter expression character: &apos;%s&apos;</source>
        <translation>Carácter no válido en la expresión de filtro: &apos;%s&apos;</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but %s found</source>
        <translation>Se esperaba &apos;(&apos; pero se encontró %s</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but %s found</source>
        <translation>Se esperaba &apos;)&apos; pero se encontró %s</translation>
    </message>
    <message>
        <source>&apos;)&apos; or &apos;,&apos; expected but %s found</source>
        <translation>Se esperaba &apos;)&apos; o &apos;,&apos; pero se encontró %s</translation>
    </message>
    <message>
        <source>Expression expected but %s found</source>
        <translation>Se esperaba una expresión pero se encontró %s</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; not found</source>
        <translation>No se encontró el campo &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be used in a filter expression</source>
        <translation>El campo &apos;%s&apos; no se puede usar en una expresión de filtro</translation>
    </message>
    <message>
        <source>NULL only allowed with &apos;=&apos; and &apos;&lt;&gt;&apos;</source>
        <translation>NULL solo se admite con &apos;=&apos; y &apos;&lt;&gt;&apos;</translation>
    </message>
    <message>
        <source>IN predicate list may not be empty</source>
        <translation>La lista del predicado IN no puede estar vacía</translation>
    </message>
    <message>
        <source>Invalid use of keyword</source>
        <translation>Uso no válido de una palabra clave</translation>
    </message>
    <message>
        <source>Type mismatch in expression</source>
        <translation>Tipos incompatibles en la expresión</translation>
    </message>
    <message>
        <source>Incorrectly formed filter expression</source>
        <translation>Expresión de filtro mal formada</translation>
    </message>
    <message>
        <source>Aggregate expressions not allowed in filters</source>
        <translation>No se admiten expresiones de agregado en los filtros</translation>
    </message>
    <message>
        <source>Operation cannot mix aggregate value with record-varying value</source>
        <translation>La operación no puede mezclar un valor de agregado con un valor que varía por registro</translation>
    </message>
    <message>
        <source>Constant out of range</source>
        <translation>Constante fuera de rango</translation>
    </message>
    <message>
        <source>Constant is not correct type %s</source>
        <translation>La constante no es del tipo correcto %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>&apos;%s&apos; no es un valor entero válido</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid date and time</source>
        <translation>&apos;%s&apos; no es una fecha y hora válidas</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nada</translation>
    </message>
    <message>
        <source>Could not bind socket. Address and port are already in use.</source>
        <translation>No se pudo enlazar el socket. La dirección y el puerto ya están en uso.</translation>
    </message>
    <message>
        <source>Could not bind socket. Port %1 is below 1024 and this program has no right to use it. Run it with the cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a port of 1024 or above in the settings.</source>
        <translation>No se pudo enlazar el socket. El puerto %1 es inferior a 1024 y este programa no tiene permiso para usarlo. Ejecútelo con la capacidad cap_net_bind_service (setcap cap_net_bind_service=+ep sobre el ejecutable) o elija en la configuración un puerto igual o superior a 1024.</translation>
    </message>
    <message>
        <source>Could not bind socket. The address %1 does not belong to this computer.</source>
        <translation>No se pudo enlazar el socket. La dirección %1 no pertenece a este equipo.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not an IP address.</source>
        <translation>No se pudo enlazar el socket. %1 no es una dirección IP.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not a port number (1 to 65535).</source>
        <translation>No se pudo enlazar el socket. %1 no es un número de puerto (1 a 65535).</translation>
    </message>
    <message>
        <source>Could not bind socket. %1</source>
        <translation>No se pudo enlazar el socket. %1</translation>
    </message>
    <message>
        <source>Could not create socket. %1</source>
        <translation>No se pudo crear el socket. %1</translation>
    </message>
    <message>
        <source>Could not receive from socket. %1</source>
        <translation>No se pudo recibir del socket. %1</translation>
    </message>
    <message>
        <source>Syslog over TCP from %1 is not framed as expected: %2. Reading goes on at the next message; further errors of this connection are not shown.</source>
        <translation>Syslog por TCP de %1 no tiene el formato de trama esperado: %2. La lectura continúa en el mensaje siguiente; no se muestran más errores de esta conexión.</translation>
    </message>
    <message>
        <source>The TCP listener has nowhere to deliver messages.</source>
        <translation>El receptor TCP no tiene adónde entregar los mensajes.</translation>
    </message>
    <message>
        <source>Syslog over TCP cannot be received. %1</source>
        <translation>No se puede recibir syslog por TCP. %1</translation>
    </message>
    <message>
        <source>Port Settings</source>
        <translation>Configuración de puertos</translation>
    </message>
    <message>
        <source>The server&apos;s answer is larger than %1 bytes.</source>
        <translation>La respuesta del servidor supera los %1 bytes.</translation>
    </message>
    <message>
        <source>The server&apos;s answer could not be stored.</source>
        <translation>No se pudo guardar la respuesta del servidor.</translation>
    </message>
    <message>
        <source>HTTP error %1</source>
        <translation>Error HTTP %1</translation>
    </message>
    <message>
        <source>Notification Execute</source>
        <translation>Ejecutar notificación</translation>
    </message>
    <message>
        <source>An Error ocurred opening the file. File name %s</source>
        <translation>Se produjo un error al abrir el archivo. Nombre de archivo %s</translation>
    </message>
    <message>
        <source>Initialize Data</source>
        <translation>Inicializar datos</translation>
    </message>
    <message>
        <source>Filter expressions are not available</source>
        <translation>Las expresiones de filtro no están disponibles</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on a closed dataset</source>
        <translation>%s: No se puede realizar esta operación en un conjunto de datos cerrado</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on an empty dataset</source>
        <translation>%s: No se puede realizar esta operación en un conjunto de datos vacío</translation>
    </message>
    <message>
        <source>%s: Dataset not in edit or insert mode</source>
        <translation>%s: El conjunto de datos no está en modo de edición o inserción</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be modified</source>
        <translation>El campo &apos;%s&apos; no se puede modificar</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid value for field &apos;%s&apos;</source>
        <translation>&apos;%s&apos; no es un valor válido para el campo &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;. %s</source>
        <translation>No se puede abrir el archivo «%s». %s</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%s&quot;. %s</source>
        <translation>No se puede escribir el archivo «%s». %s</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and an empty table was started.</source>
        <translation>No se pudo cargar el archivo de datos «%s» (%s). Se ha conservado como «%s» y se ha empezado una tabla vacía.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). The built-in names were filled in.</source>
        <translation>No se pudo cargar el archivo de datos «%s» (%s). Se han rellenado los nombres predefinidos.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and the built-in names were filled in.</source>
        <translation>No se pudo cargar el archivo de datos «%s» (%s). Se ha conservado como «%s» y se han rellenado los nombres predefinidos.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by Corvane process %s. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>La carpeta de datos «%s» está en uso por el proceso de Corvane %s. Solo un Corvane a la vez puede guardar allí sus mensajes: cierre primero ese, o inicie este con otra carpeta de datos.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by another Corvane. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>La carpeta de datos «%s» está en uso por otro Corvane. Solo un Corvane a la vez puede guardar allí sus mensajes: cierre primero ese, o inicie este con otra carpeta de datos.</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; does not belong to the data file beside it. It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>El diario «%s» no pertenece al archivo de datos que tiene al lado. No se ha aplicado y se ha conservado como «%s».</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; is damaged after its first %s changes, which were applied. It was kept as &quot;%s&quot;.</source>
        <translation>El diario «%s» está dañado tras sus primeros %s cambios, que se han aplicado. Se ha conservado como «%s».</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; could not be read (%s). It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>No se pudo leer el diario «%s» (%s). No se ha aplicado y se ha conservado como «%s».</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>El archivo está vacío</translation>
    </message>
    <message>
        <source>The file is not a data packet</source>
        <translation>El archivo no es un paquete de datos</translation>
    </message>
    <message>
        <source>The data packet is cut off</source>
        <translation>El paquete de datos está truncado</translation>
    </message>
    <message>
        <source>The data packet is malformed: %s</source>
        <translation>El paquete de datos está mal formado: %s</translation>
    </message>
    <message>
        <source>Invalid value &quot;%s&quot; for field &apos;%s&apos;</source>
        <translation>Valor «%s» no válido para el campo &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Records of the binary data packet form cannot be read; save the table in the XML form</source>
        <translation>No se pueden leer los registros en formato binario de paquete de datos; guarde la tabla en formato XML</translation>
    </message>
    <message>
        <source>Unknown Component</source>
        <translation>Componente desconocido</translation>
    </message>
    <message>
        <source>An unknown exception has occured.</source>
        <translation>Se produjo una excepción desconocida.</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Value must be a number. [1..65535]</source>
        <translation>El valor debe ser un número. [1..65535]</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>¿Eliminar el registro?</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Cierre</translation>
    </message>
    <message>
        <source>The help pages were not found in %1.</source>
        <translation>No se encontraron las páginas de ayuda en %1.</translation>
    </message>
    <message>
        <source>Could not create the export file %1: %2</source>
        <translation>No se pudo crear el archivo de exportación %1: %2</translation>
    </message>
    <message>
        <source>Could not write the export file %1: %2. The incomplete file was removed.</source>
        <translation>No se pudo escribir el archivo de exportación %1: %2. Se eliminó el archivo incompleto.</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>No se pudo abrir %1: %2</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>There is no field named %1.</source>
        <translation>No existe ningún campo llamado %1.</translation>
    </message>
    <message>
        <source>The message table is not open.</source>
        <translation>La tabla de mensajes no está abierta.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Notification Sound</source>
        <translation>Sonido de notificación</translation>
    </message>
    <message>
        <source>The notification sound cannot be played (%s). No further sounds are played until the program is started again.</source>
        <translation>No se puede reproducir el sonido de notificación (%s). No se reproducirán más sonidos hasta que se vuelva a iniciar el programa.</translation>
    </message>
    <message>
        <source>Program Files</source>
        <translation>Archivos del programa</translation>
    </message>
    <message>
        <source>The image library %1 was not found; the window is shown without its pictures.</source>
        <translation>No se encontró la biblioteca de imágenes %1; la ventana se muestra sin sus imágenes.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>corvane::TrayIcon</name>
    <message>
        <source>Show Corvane</source>
        <translation>Mostrar Corvane</translation>
    </message>
    <message>
        <source>Pause alerts for 1 hour</source>
        <translation>Pausar las alertas 1 hora</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>1 new matching message</source>
        <translation>1 mensaje coincidente nuevo</translation>
    </message>
    <message>
        <source>%1 new matching messages</source>
        <translation>%1 mensajes coincidentes nuevos</translation>
    </message>
    <message>
        <source>Alerts paused</source>
        <translation>Alertas en pausa</translation>
    </message>
</context>
<context>
    <name>corvane::DesktopNotifier</name>
    <message>
        <source>No message from %1 (%2) for %3 minutes</source>
        <translation>Ningún mensaje de %1 (%2) desde hace %3 minutos</translation>
    </message>
    <message>
        <source>%1 (%2) sends again after %3 minutes</source>
        <translation>%1 (%2) vuelve a enviar tras %3 minutos</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2): %3</translation>
    </message>
    <message>
        <source>%1 more matching messages</source>
        <translation>%1 mensajes coincidentes más</translation>
    </message>
</context>
</TS>
