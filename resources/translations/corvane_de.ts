<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>corvane::TrafficChart</name>
    <message>
        <source>other</source>
        <translation>andere</translation>
    </message>
    <message>
        <source>peak %1 a minute</source>
        <translation>Spitze %1 pro Minute</translation>
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
        <translation>Empfangen: %1 Meldungen pro Sekunde</translation>
    </message>
    <message>
        <source>Stored: %1 messages a second</source>
        <translation>Gespeichert: %1 Meldungen pro Sekunde</translation>
    </message>
    <message>
        <source>Dropped by the receive queue: %1</source>
        <translation>Von der Empfangswarteschlange verworfen: %1</translation>
    </message>
    <message>
        <source>Dropped by the system: %1</source>
        <translation>Vom System verworfen: %1</translation>
    </message>
    <message>
        <source>Dropped by the system: not known</source>
        <translation>Vom System verworfen: unbekannt</translation>
    </message>
    <message>
        <source>Connections refused: %1</source>
        <translation>Abgewiesene Verbindungen: %1</translation>
    </message>
    <message>
        <source>Last hour: %1 messages</source>
        <translation>Letzte Stunde: %1 Meldungen</translation>
    </message>
</context>
<context>
    <name>corvane::SenderModel</name>
    <message>
        <source>Sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Last Hour</source>
        <translation>Letzte Stunde</translation>
    </message>
    <message>
        <source>Per Minute</source>
        <translation>Pro Minute</translation>
    </message>
    <message>
        <source>Highest Today</source>
        <translation>Höchste heute</translation>
    </message>
    <message>
        <source>First Seen</source>
        <translation>Zuerst gesehen</translation>
    </message>
    <message>
        <source>Last Seen</source>
        <translation>Zuletzt gesehen</translation>
    </message>
</context>
<context>
    <name>corvane::SendersPage</name>
    <message>
        <source>Senders</source>
        <translation>Absender</translation>
    </message>
</context>
<context>
    <name>corvane::ExchangeActions</name>
    <message>
        <source>Export View...</source>
        <translation>Ansicht exportieren...</translation>
    </message>
    <message>
        <source>Import Log File...</source>
        <translation>Protokolldatei importieren...</translation>
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
        <translation>Syslog-Text (*.log)</translation>
    </message>
    <message>
        <source>Export View</source>
        <translation>Ansicht exportieren</translation>
    </message>
    <message>
        <source>messages.csv</source>
        <translation>meldungen.csv</translation>
    </message>
    <message>
        <source>Import Log File</source>
        <translation>Protokolldatei importieren</translation>
    </message>
    <message>
        <source>Log files (*.log *.gz *.jsonl *.txt syslog* messages*);;All files (*)</source>
        <translation>Protokolldateien (*.log *.gz *.jsonl *.txt syslog* messages*);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Exporting %1 messages...</source>
        <translation>%1 Meldungen werden exportiert...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>%1 messages exported to %2.</source>
        <translation>%1 Meldungen nach %2 exportiert.</translation>
    </message>
    <message>
        <source>Messages are being stored; try the import again in a moment.</source>
        <translation>Es werden gerade Meldungen gespeichert; versuchen Sie den Import gleich noch einmal.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>%1 wird importiert...</translation>
    </message>
    <message>
        <source>%1: %2 lines read, %3 stored, %4 skipped.</source>
        <translation>%1: %2 Zeilen gelesen, %3 gespeichert, %4 übersprungen.</translation>
    </message>
    <message>
        <source>The first line that could not be taken in is line %1.</source>
        <translation>Die erste Zeile, die nicht übernommen werden konnte, ist Zeile %1.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
</context>
<context>
    <name>corvane::DetailsPane</name>
    <message>
        <source>From: %1 at Address: %2, Host: %3, related process %4.</source>
        <translation>Von: %1 unter Adresse: %2, Host: %3, zugehöriger Prozess %4.</translation>
    </message>
</context>
<context>
    <name>corvane::HelpWindow</name>
    <message>
        <source>Corvane Help</source>
        <translation>Corvane-Hilfe</translation>
    </message>
</context>
<context>
    <name>corvane::MessageGrid</name>
    <message>
        <source>Delete all selected records?</source>
        <translation>Alle markierten Datensätze löschen?</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Datensatz löschen?</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Ebene</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Prozess</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Quelle</translation>
    </message>
</context>
<context>
    <name>corvane::TDuration</name>
    <message>
        <source> 0w 0d 00:00:00 </source>
        <translation> 0W 0T 00:00:00 </translation>
    </message>
    <message>
        <source>%1:w %2:d %3:h</source>
        <extracomment>Weeks, days and the time of day of the up-time: keep the three numbers and the colons.</extracomment>
        <translation>%1:W %2:T %3:h</translation>
    </message>
</context>
<context>
    <name>corvane::TLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Please choose a language. . .</source>
        <translation>Bitte wählen Sie eine Sprache …</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>corvane::TMsgDialog</name>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Don&apos;t ask again.</source>
        <translation>Nicht mehr fragen.</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>corvane::TSettings</name>
    <message>
        <source>Desktop notification</source>
        <translation>Desktop-Benachrichtigung</translation>
    </message>
    <message>
        <source>Send test mail</source>
        <translation>Testmail senden</translation>
    </message>
    <message>
        <source>The test mail was sent to %1.</source>
        <translation>Die Testmail wurde an %1 gesendet.</translation>
    </message>
    <message>
        <source>The test mail could not be sent: %1</source>
        <translation>Die Testmail konnte nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Benachrichtigung</translation>
    </message>
    <message>
        <source>Detailed</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Local UDP Listen Port - </source>
        <translation>Lokaler UDP-Empfangsport - </translation>
    </message>
    <message>
        <source>Network interfaces [Local IP Address(s)] - </source>
        <translation>Netzwerkschnittstellen [lokale IP-Adresse(n)] - </translation>
    </message>
    <message>
        <source>Local TCP Listen Port - </source>
        <translation>Lokaler TCP-Empfangsport - </translation>
    </message>
    <message>
        <source> - Application Updates - </source>
        <translation> - Programm-Updates - </translation>
    </message>
    <message>
        <source>Check for Application Updates.</source>
        <translation>Nach Programm-Updates suchen.</translation>
    </message>
    <message>
        <source>Vantro update Host Web/HTTP Server  -</source>
        <translation>Vantro-Update-Server (Web/HTTP)  -</translation>
    </message>
    <message>
        <source> - Messages Kept (0 = all) - </source>
        <translation> - Behalten (0 = alle) - </translation>
    </message>
    <message>
        <source>Number -</source>
        <translation>Anzahl -</translation>
    </message>
    <message>
        <source>Days -</source>
        <translation>Tage -</translation>
    </message>
    <message>
        <source>Save progam Location</source>
        <translation>Fensterposition speichern</translation>
    </message>
    <message>
        <source>Show window on new message</source>
        <translation>Fenster bei neuer Meldung zeigen</translation>
    </message>
    <message>
        <source> - Simple Notification - </source>
        <translation> - Einfache Benachrichtigung - </translation>
    </message>
    <message>
        <source>Play sound when Message received.</source>
        <translation>Ton bei eingehender Meldung abspielen.</translation>
    </message>
    <message>
        <source>Send E-Mail notification to ---</source>
        <translation>E-Mail-Benachrichtigung an ---</translation>
    </message>
    <message>
        <source>Host mail Server/Gateway  -</source>
        <translation>Mailserver/Gateway  -</translation>
    </message>
    <message>
        <source>User Name :</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Use SSL/TLS</source>
        <translation>SSL/TLS verwenden</translation>
    </message>
    <message>
        <source>Condition -</source>
        <translation>Bedingung -</translation>
    </message>
    <message>
        <source>Facility :</source>
        <translation>Facility:</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Schwere:</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Contains :</source>
        <translation>Enthält:</translation>
    </message>
    <message>
        <source>Facilities</source>
        <translation>Facilities</translation>
    </message>
    <message>
        <source>Severities</source>
        <translation>Schweregrade</translation>
    </message>
    <message>
        <source>Custom Icons</source>
        <translation>Eigene Icons</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Server used for updates</source>
        <translation>Server für Updates</translation>
    </message>
    <message>
        <source>Email address to notify</source>
        <translation>E-Mail-Adresse des Empfängers</translation>
    </message>
    <message>
        <source>Server used to send mail.</source>
        <translation>Server für den Mailversand.</translation>
    </message>
    <message>
        <source>Mail host login ID</source>
        <translation>Login am Mailserver</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Text or Characters</source>
        <translation>Text oder Zeichen</translation>
    </message>
</context>
<context>
    <name>corvane::TSplashForm</name>
    <message>
        <source>Version: %1.%2.%3.%4</source>
        <translation>Version: %1.%2.%3.%4</translation>
    </message>
</context>
<context>
    <name>corvane::TSysLogForm</name>
    <message>
        <source> Simple </source>
        <translation> Einfach </translation>
    </message>
    <message>
        <source> Advanced </source>
        <translation> Erweitert </translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Schweregrad</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source> Setup </source>
        <translation> Einstellungen </translation>
    </message>
    <message>
        <source> Help </source>
        <translation> Hilfe </translation>
    </message>
    <message>
        <source> Close </source>
        <translation> Beenden </translation>
    </message>
    <message>
        <source> Clear </source>
        <translation> Leeren </translation>
    </message>
    <message>
        <source> Apply </source>
        <translation> Anwenden </translation>
    </message>
    <message>
        <source> Edit </source>
        <translation> Bearbeiten </translation>
    </message>
    <message>
        <source> Dropped: %1</source>
        <translation> Verworfen: %1</translation>
    </message>
    <message>
        <source>Delete all %1 messages in view?</source>
        <translation>Alle %1 angezeigten Meldungen löschen?</translation>
    </message>
    <message>
        <source> %1 new</source>
        <translation> %1 neu</translation>
    </message>
    <message>
        <source>Messages that arrived while you read; click or press End to follow them</source>
        <translation>Meldungen, die beim Lesen eingetroffen sind; klicken oder Ende drücken, um ihnen zu folgen</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Advanced data Filter experssion</source>
        <translation>Erweiterter Filterausdruck</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Of last - </source>
        <translation>Letzte - </translation>
    </message>
    <message>
        <source>IP Address - </source>
        <translation>IP-Adresse - </translation>
    </message>
    <message>
        <source>For - </source>
        <translation>Für - </translation>
    </message>
    <message>
        <source>with Severity - </source>
        <translation>mit Schweregrad - </translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Facility</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Schweregrad:</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>Process:</source>
        <translation>Prozess:</translation>
    </message>
    <message>
        <source>No current process</source>
        <translation>Kein aktueller Prozess</translation>
    </message>
    <message>
        <source>Process ID:</source>
        <translation>Prozess-ID:</translation>
    </message>
    <message>
        <source> Raw Data (8bit ASCII)</source>
        <translation> Rohdaten (8-Bit-ASCII)</translation>
    </message>
    <message>
        <source> Description: </source>
        <translation> Beschreibung: </translation>
    </message>
    <message>
        <source> Message - </source>
        <translation> Meldung - </translation>
    </message>
    <message>
        <source> Address - </source>
        <translation> Adresse - </translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source> Up Time: </source>
        <translation> Laufzeit: </translation>
    </message>
    <message>
        <source> Events: </source>
        <translation> Ereignisse: </translation>
    </message>
    <message>
        <source>TCP connections closed for want of a free slot: %1</source>
        <translation>TCP-Verbindungen, die mangels freien Platzes geschlossen wurden: %1</translation>
    </message>
    <message>
        <source>Datagrams that arrived faster than they could be taken in</source>
        <translation>Datagramme, die schneller eintrafen, als sie verarbeitet werden konnten</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>UDP listening on %1</source>
        <translation>UDP empfängt auf %1</translation>
    </message>
    <message>
        <source>UDP not listening</source>
        <translation>UDP empfängt nicht</translation>
    </message>
    <message>
        <source>TCP listening on %1</source>
        <translation>TCP empfängt auf %1</translation>
    </message>
    <message>
        <source>TCP not listening: %1</source>
        <translation>TCP empfängt nicht: %1</translation>
    </message>
    <message>
        <source>TCP off</source>
        <translation>TCP aus</translation>
    </message>
    <message>
        <source> TCP %1 off</source>
        <translation> TCP %1 aus</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>Notification Mail</source>
        <translation>Benachrichtigungsmail</translation>
    </message>
    <message>
        <source>The notification mail could not be sent: %1</source>
        <translation>Die Benachrichtigungsmail konnte nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>It is tried again later; the matching messages are kept for it.</source>
        <translation>Es wird später erneut versucht; die passenden Meldungen werden dafür aufbewahrt.</translation>
    </message>
    <message>
        <source>No mail address to notify is set.</source>
        <translation>Es ist keine zu benachrichtigende Mailadresse eingetragen.</translation>
    </message>
    <message>
        <source>No mail server is set.</source>
        <translation>Es ist kein Mailserver eingetragen.</translation>
    </message>
    <message>
        <source>The mail server port is not a number from 1 to 65535.</source>
        <translation>Der Port des Mailservers ist keine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>Update Host</source>
        <translation>Host aktualisieren</translation>
    </message>
    <message>
        <source>Save Data</source>
        <translation>Daten speichern</translation>
    </message>
    <message>
        <source>The received messages could not be saved. They are kept in memory and saving is tried again with the next message.</source>
        <translation>Die empfangenen Meldungen konnten nicht gespeichert werden. Sie bleiben im Speicher, und das Speichern wird mit der nächsten Meldung erneut versucht.</translation>
    </message>
    <message>
        <source>Could not read the settings file %1: %2</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is too large to be a settings file.</source>
        <translation>Die Datei %1 ist zu groß für eine Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Could not write the settings file %1: %2</source>
        <translation>Die Einstellungsdatei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Get Data</source>
        <translation>Daten abrufen</translation>
    </message>
    <message>
        <source>An error has occured obtaining Data from the Server.</source>
        <translation>Beim Abrufen der Daten vom Server ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The Host name could not be resolved to an IP address.</source>
        <translation>Der Hostname konnte nicht in eine IP-Adresse aufgelöst werden.</translation>
    </message>
    <message>
        <source>Update Check</source>
        <translation>Update-Prüfung</translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>Could not write the file %1: %2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Filter expression incorrectly terminated</source>
        <translation>Filterausdruck nicht korrekt abgeschlossen</translation>
    </message>
    <message>
        <source>Unterminated field name</source>
        <translation>Feldname nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Unterminated string constant</source>
        <translation>Zeichenkettenkonstante nicht abgeschlossen</translation>
    </message>
    <message>
        <source>Invalid filter expression character: &apos;%s&apos;</source>
        <translation>Ungültiges Zeichen im Filterausdruck: &apos;%s&apos;</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but %s found</source>
        <translation>&apos;(&apos; erwartet, aber %s gefunden</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but %s found</source>
        <translation>&apos;)&apos; erwartet, aber %s gefunden</translation>
    </message>
    <message>
        <source>&apos;)&apos; or &apos;,&apos; expected but %s found</source>
        <translation>&apos;)&apos; oder &apos;,&apos; erwartet, aber %s gefunden</translation>
    </message>
    <message>
        <source>Expression expected but %s found</source>
        <translation>Ausdruck erwartet, aber %s gefunden</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; not found</source>
        <translation>Feld &apos;%s&apos; nicht gefunden</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be used in a filter expression</source>
        <translation>Feld &apos;%s&apos; kann in einem Filterausdruck nicht verwendet werden</translation>
    </message>
    <message>
        <source>NULL only allowed with &apos;=&apos; and &apos;&lt;&gt;&apos;</source>
        <translation>NULL ist nur mit &apos;=&apos; und &apos;&lt;&gt;&apos; zulässig</translation>
    </message>
    <message>
        <source>IN predicate list may not be empty</source>
        <translation>Die Liste des IN-Prädikats darf nicht leer sein</translation>
    </message>
    <message>
        <source>Invalid use of keyword</source>
        <translation>Ungültige Verwendung eines Schlüsselworts</translation>
    </message>
    <message>
        <source>Type mismatch in expression</source>
        <translation>Typkonflikt im Ausdruck</translation>
    </message>
    <message>
        <source>Incorrectly formed filter expression</source>
        <translation>Filterausdruck ist falsch aufgebaut</translation>
    </message>
    <message>
        <source>Aggregate expressions not allowed in filters</source>
        <translation>Aggregatausdrücke sind in Filtern nicht zulässig</translation>
    </message>
    <message>
        <source>Operation cannot mix aggregate value with record-varying value</source>
        <translation>Die Operation kann keinen Aggregatwert mit einem datensatzabhängigen Wert mischen</translation>
    </message>
    <message>
        <source>Constant out of range</source>
        <translation>Konstante außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Constant is not correct type %s</source>
        <translation>Konstante ist nicht vom richtigen Typ %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>&apos;%s&apos; ist keine gültige Ganzzahl</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid date and time</source>
        <translation>&apos;%s&apos; ist kein gültiges Datum mit Uhrzeit</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>Could not bind socket. Address and port are already in use.</source>
        <translation>Socket konnte nicht gebunden werden. Adresse und Port werden bereits verwendet.</translation>
    </message>
    <message>
        <source>Could not bind socket. Port %1 is below 1024 and this program has no right to use it. Run it with the cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a port of 1024 or above in the settings.</source>
        <translation>Socket konnte nicht gebunden werden. Port %1 liegt unter 1024, und dieses Programm darf ihn nicht verwenden. Starten Sie es mit der Capability cap_net_bind_service (setcap cap_net_bind_service=+ep auf die Programmdatei) oder wählen Sie in den Einstellungen einen Port ab 1024.</translation>
    </message>
    <message>
        <source>Could not bind socket. The address %1 does not belong to this computer.</source>
        <translation>Socket konnte nicht gebunden werden. Die Adresse %1 gehört nicht zu diesem Computer.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not an IP address.</source>
        <translation>Socket konnte nicht gebunden werden. %1 ist keine IP-Adresse.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not a port number (1 to 65535).</source>
        <translation>Socket konnte nicht gebunden werden. %1 ist keine Portnummer (1 bis 65535).</translation>
    </message>
    <message>
        <source>Could not bind socket. %1</source>
        <translation>Socket konnte nicht gebunden werden. %1</translation>
    </message>
    <message>
        <source>Could not create socket. %1</source>
        <translation>Socket konnte nicht erstellt werden. %1</translation>
    </message>
    <message>
        <source>Could not receive from socket. %1</source>
        <translation>Vom Socket konnten keine Daten empfangen werden. %1</translation>
    </message>
    <message>
        <source>Syslog over TCP from %1 is not framed as expected: %2. Reading goes on at the next message; further errors of this connection are not shown.</source>
        <translation>Syslog über TCP von %1 ist nicht wie erwartet gerahmt: %2. Gelesen wird ab der nächsten Meldung weiter; weitere Fehler dieser Verbindung werden nicht angezeigt.</translation>
    </message>
    <message>
        <source>The TCP listener has nowhere to deliver messages.</source>
        <translation>Der TCP-Empfänger hat kein Ziel, an das er Meldungen übergeben kann.</translation>
    </message>
    <message>
        <source>Syslog over TCP cannot be received. %1</source>
        <translation>Syslog über TCP kann nicht empfangen werden. %1</translation>
    </message>
    <message>
        <source>Port Settings</source>
        <translation>Porteinstellungen</translation>
    </message>
    <message>
        <source>The server&apos;s answer is larger than %1 bytes.</source>
        <translation>Die Antwort des Servers ist größer als %1 Byte.</translation>
    </message>
    <message>
        <source>The server&apos;s answer could not be stored.</source>
        <translation>Die Antwort des Servers konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>HTTP error %1</source>
        <translation>HTTP-Fehler %1</translation>
    </message>
    <message>
        <source>Notification Execute</source>
        <translation>Benachrichtigung ausführen</translation>
    </message>
    <message>
        <source>An Error ocurred opening the file. File name %s</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten. Dateiname %s</translation>
    </message>
    <message>
        <source>Initialize Data</source>
        <translation>Daten initialisieren</translation>
    </message>
    <message>
        <source>Filter expressions are not available</source>
        <translation>Filterausdrücke sind nicht verfügbar</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on a closed dataset</source>
        <translation>%s: Diese Operation ist bei einer geschlossenen Datenmenge nicht möglich</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on an empty dataset</source>
        <translation>%s: Diese Operation ist bei einer leeren Datenmenge nicht möglich</translation>
    </message>
    <message>
        <source>%s: Dataset not in edit or insert mode</source>
        <translation>%s: Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be modified</source>
        <translation>Feld &apos;%s&apos; kann nicht geändert werden</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid value for field &apos;%s&apos;</source>
        <translation>&apos;%s&apos; ist kein gültiger Wert für das Feld &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;. %s</source>
        <translation>Datei „%s“ kann nicht geöffnet werden. %s</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%s&quot;. %s</source>
        <translation>Datei „%s“ kann nicht geschrieben werden. %s</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and an empty table was started.</source>
        <translation>Die Datendatei „%s“ konnte nicht geladen werden (%s). Sie wurde als „%s“ aufbewahrt, und eine leere Tabelle wurde angelegt.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). The built-in names were filled in.</source>
        <translation>Die Datendatei „%s“ konnte nicht geladen werden (%s). Die integrierten Namen wurden eingetragen.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and the built-in names were filled in.</source>
        <translation>Die Datendatei „%s“ konnte nicht geladen werden (%s). Sie wurde als „%s“ aufbewahrt, und die integrierten Namen wurden eingetragen.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by Corvane process %s. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>Der Datenordner „%s“ wird von Corvane-Prozess %s verwendet. Nur ein Corvane zur Zeit kann dort seine Meldungen ablegen: Schließen Sie zuerst jenes, oder starten Sie dieses mit einem anderen Datenordner.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by another Corvane. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>Der Datenordner „%s“ wird von einem anderen Corvane verwendet. Nur ein Corvane zur Zeit kann dort seine Meldungen ablegen: Schließen Sie zuerst jenes, oder starten Sie dieses mit einem anderen Datenordner.</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; does not belong to the data file beside it. It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>Das Journal „%s“ gehört nicht zu der Datendatei daneben. Es wurde nicht angewendet und als „%s“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; is damaged after its first %s changes, which were applied. It was kept as &quot;%s&quot;.</source>
        <translation>Das Journal „%s“ ist nach seinen ersten %s Änderungen beschädigt; diese wurden angewendet. Es wurde als „%s“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; could not be read (%s). It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>Das Journal „%s“ konnte nicht gelesen werden (%s). Es wurde nicht angewendet und als „%s“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>The file is not a data packet</source>
        <translation>Die Datei ist kein Datenpaket</translation>
    </message>
    <message>
        <source>The data packet is cut off</source>
        <translation>Das Datenpaket ist abgeschnitten</translation>
    </message>
    <message>
        <source>The data packet is malformed: %s</source>
        <translation>Das Datenpaket ist fehlerhaft: %s</translation>
    </message>
    <message>
        <source>Invalid value &quot;%s&quot; for field &apos;%s&apos;</source>
        <translation>Ungültiger Wert „%s“ für das Feld &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Records of the binary data packet form cannot be read; save the table in the XML form</source>
        <translation>Datensätze im binären Datenpaketformat können nicht gelesen werden; speichern Sie die Tabelle im XML-Format</translation>
    </message>
    <message>
        <source>Unknown Component</source>
        <translation>Unbekannte Komponente</translation>
    </message>
    <message>
        <source>An unknown exception has occured.</source>
        <translation>Eine unbekannte Ausnahme ist aufgetreten.</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Voreinstellungen</translation>
    </message>
    <message>
        <source>Value must be a number. [1..65535]</source>
        <translation>Der Wert muss eine Zahl sein. [1..65535]</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Datensatz löschen?</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Programmende</translation>
    </message>
    <message>
        <source>The help pages were not found in %1.</source>
        <translation>Die Hilfeseiten wurden in %1 nicht gefunden.</translation>
    </message>
    <message>
        <source>Could not create the export file %1: %2</source>
        <translation>Die Exportdatei %1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Could not write the export file %1: %2. The incomplete file was removed.</source>
        <translation>Die Exportdatei %1 konnte nicht geschrieben werden: %2. Die unvollständige Datei wurde entfernt.</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>There is no field named %1.</source>
        <translation>Es gibt kein Feld namens %1.</translation>
    </message>
    <message>
        <source>The message table is not open.</source>
        <translation>Die Meldungstabelle ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Notification Sound</source>
        <translation>Benachrichtigungston</translation>
    </message>
    <message>
        <source>The notification sound cannot be played (%s). No further sounds are played until the program is started again.</source>
        <translation>Der Benachrichtigungston kann nicht abgespielt werden (%s). Bis zum nächsten Programmstart werden keine Töne mehr abgespielt.</translation>
    </message>
    <message>
        <source>Program Files</source>
        <translation>Programmdateien</translation>
    </message>
    <message>
        <source>The image library %1 was not found; the window is shown without its pictures.</source>
        <translation>Die Bildbibliothek %1 wurde nicht gefunden; das Fenster wird ohne seine Bilder angezeigt.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>corvane::TrayIcon</name>
    <message>
        <source>Show Corvane</source>
        <translation>Corvane anzeigen</translation>
    </message>
    <message>
        <source>Pause alerts for 1 hour</source>
        <translation>Alarme 1 Stunde lang anhalten</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>1 new matching message</source>
        <translation>1 neue passende Meldung</translation>
    </message>
    <message>
        <source>%1 new matching messages</source>
        <translation>%1 neue passende Meldungen</translation>
    </message>
    <message>
        <source>Alerts paused</source>
        <translation>Alarme angehalten</translation>
    </message>
</context>
<context>
    <name>corvane::DesktopNotifier</name>
    <message>
        <source>No message from %1 (%2) for %3 minutes</source>
        <translation>Keine Meldung von %1 (%2) seit %3 Minuten</translation>
    </message>
    <message>
        <source>%1 (%2) sends again after %3 minutes</source>
        <translation>%1 (%2) sendet wieder, nach %3 Minuten</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2): %3</translation>
    </message>
    <message>
        <source>%1 more matching messages</source>
        <translation>%1 weitere passende Meldungen</translation>
    </message>
</context>
</TS>
