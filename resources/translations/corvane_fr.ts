<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>corvane::TrafficChart</name>
    <message>
        <source>other</source>
        <translation>autres</translation>
    </message>
    <message>
        <source>peak %1 a minute</source>
        <translation>pic %1 par minute</translation>
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
        <translation>Reçus : %1 messages par seconde</translation>
    </message>
    <message>
        <source>Stored: %1 messages a second</source>
        <translation>Enregistrés : %1 messages par seconde</translation>
    </message>
    <message>
        <source>Dropped by the receive queue: %1</source>
        <translation>Rejetés par la file de réception : %1</translation>
    </message>
    <message>
        <source>Dropped by the system: %1</source>
        <translation>Rejetés par le système : %1</translation>
    </message>
    <message>
        <source>Dropped by the system: not known</source>
        <translation>Rejetés par le système : inconnu</translation>
    </message>
    <message>
        <source>Connections refused: %1</source>
        <translation>Connexions refusées : %1</translation>
    </message>
    <message>
        <source>Last hour: %1 messages</source>
        <translation>Dernière heure : %1 messages</translation>
    </message>
</context>
<context>
    <name>corvane::SenderModel</name>
    <message>
        <source>Sender</source>
        <translation>Expéditeur</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Last Hour</source>
        <translation>Dernière heure</translation>
    </message>
    <message>
        <source>Per Minute</source>
        <translation>Par minute</translation>
    </message>
    <message>
        <source>Highest Today</source>
        <translation>La plus haute aujourd&apos;hui</translation>
    </message>
    <message>
        <source>First Seen</source>
        <translation>Vu la première fois</translation>
    </message>
    <message>
        <source>Last Seen</source>
        <translation>Vu la dernière fois</translation>
    </message>
</context>
<context>
    <name>corvane::SendersPage</name>
    <message>
        <source>Senders</source>
        <translation>Expéditeurs</translation>
    </message>
</context>
<context>
    <name>corvane::ExchangeActions</name>
    <message>
        <source>Export View...</source>
        <translation>Exporter la vue...</translation>
    </message>
    <message>
        <source>Import Log File...</source>
        <translation>Importer un fichier journal...</translation>
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
        <translation>Texte syslog (*.log)</translation>
    </message>
    <message>
        <source>Export View</source>
        <translation>Exporter la vue</translation>
    </message>
    <message>
        <source>messages.csv</source>
        <translation>messages.csv</translation>
    </message>
    <message>
        <source>Import Log File</source>
        <translation>Importer un fichier journal</translation>
    </message>
    <message>
        <source>Log files (*.log *.gz *.jsonl *.txt syslog* messages*);;All files (*)</source>
        <translation>Fichiers journaux (*.log *.gz *.jsonl *.txt syslog* messages*);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Exporting %1 messages...</source>
        <translation>Exportation de %1 messages...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>%1 messages exported to %2.</source>
        <translation>%1 messages exportés vers %2.</translation>
    </message>
    <message>
        <source>Messages are being stored; try the import again in a moment.</source>
        <translation>Des messages sont en cours d&apos;enregistrement ; réessayez l&apos;importation dans un instant.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importation de %1...</translation>
    </message>
    <message>
        <source>%1: %2 lines read, %3 stored, %4 skipped.</source>
        <translation>%1 : %2 lignes lues, %3 enregistrées, %4 ignorées.</translation>
    </message>
    <message>
        <source>The first line that could not be taken in is line %1.</source>
        <translation>La première ligne qui n&apos;a pas pu être reprise est la ligne %1.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Annulé.</translation>
    </message>
</context>
<context>
    <name>corvane::DetailsPane</name>
    <message>
        <source>From: %1 at Address: %2, Host: %3, related process %4.</source>
        <translation>De : %1 à l&apos;adresse : %2, hôte : %3, processus associé %4.</translation>
    </message>
</context>
<context>
    <name>corvane::HelpWindow</name>
    <message>
        <source>Corvane Help</source>
        <translation>Aide de Corvane</translation>
    </message>
</context>
<context>
    <name>corvane::MessageGrid</name>
    <message>
        <source>Delete all selected records?</source>
        <translation>Supprimer tous les enregistrements sélectionnés ?</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Supprimer l&apos;enregistrement ?</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Gravité</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Hôte</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Processus</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Origine</translation>
    </message>
</context>
<context>
    <name>corvane::TDuration</name>
    <message>
        <source> 0w 0d 00:00:00 </source>
        <translation> 0s 0j 00:00:00 </translation>
    </message>
    <message>
        <source>%1:w %2:d %3:h</source>
        <extracomment>Weeks, days and the time of day of the up-time: keep the three numbers and the colons.</extracomment>
        <translation>%1:s %2:j %3:h</translation>
    </message>
</context>
<context>
    <name>corvane::TLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Please choose a language. . .</source>
        <translation>Veuillez choisir une langue…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
</context>
<context>
    <name>corvane::TMsgDialog</name>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Don&apos;t ask again.</source>
        <translation>Ne plus demander.</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
</context>
<context>
    <name>corvane::TSettings</name>
    <message>
        <source>Desktop notification</source>
        <translation>Notification du bureau</translation>
    </message>
    <message>
        <source>Send test mail</source>
        <translation>Envoyer un e-mail de test</translation>
    </message>
    <message>
        <source>The test mail was sent to %1.</source>
        <translation>L&apos;e-mail de test a été envoyé à %1.</translation>
    </message>
    <message>
        <source>The test mail could not be sent: %1</source>
        <translation>L&apos;e-mail de test n&apos;a pas pu être envoyé : %1</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Notification</translation>
    </message>
    <message>
        <source>Detailed</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Local UDP Listen Port - </source>
        <translation>Port UDP local d&apos;écoute - </translation>
    </message>
    <message>
        <source>Network interfaces [Local IP Address(s)] - </source>
        <translation>Interfaces réseau [adresse(s) IP locale(s)] - </translation>
    </message>
    <message>
        <source>Local TCP Listen Port - </source>
        <translation>Port TCP local d&apos;écoute - </translation>
    </message>
    <message>
        <source> - Application Updates - </source>
        <translation> - Mises à jour du programme - </translation>
    </message>
    <message>
        <source>Check for Application Updates.</source>
        <translation>Rechercher les mises à jour du programme.</translation>
    </message>
    <message>
        <source>Vantro update Host Web/HTTP Server  -</source>
        <translation>Serveur web de mises à jour Vantro  -</translation>
    </message>
    <message>
        <source> - Messages Kept (0 = all) - </source>
        <translation> - Conserver (0 = tous) - </translation>
    </message>
    <message>
        <source>Number -</source>
        <translation>Nombre -</translation>
    </message>
    <message>
        <source>Days -</source>
        <translation>Jours -</translation>
    </message>
    <message>
        <source>Save progam Location</source>
        <translation>Enregistrer la position</translation>
    </message>
    <message>
        <source>Show window on new message</source>
        <translation>Afficher la fenêtre à chaque message</translation>
    </message>
    <message>
        <source> - Simple Notification - </source>
        <translation> - Notification simple - </translation>
    </message>
    <message>
        <source>Play sound when Message received.</source>
        <translation>Émettre un son à la réception d&apos;un message.</translation>
    </message>
    <message>
        <source>Send E-Mail notification to ---</source>
        <translation>Notification par e-mail à ---</translation>
    </message>
    <message>
        <source>Host mail Server/Gateway  -</source>
        <translation>Serveur/passerelle de messagerie  -</translation>
    </message>
    <message>
        <source>User Name :</source>
        <translation>Utilisateur :</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Use SSL/TLS</source>
        <translation>Utiliser SSL/TLS</translation>
    </message>
    <message>
        <source>Condition -</source>
        <translation>Condition -</translation>
    </message>
    <message>
        <source>Facility :</source>
        <translation>Facility :</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Gravité :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Contains :</source>
        <translation>Contient :</translation>
    </message>
    <message>
        <source>Facilities</source>
        <translation>Facilities</translation>
    </message>
    <message>
        <source>Severities</source>
        <translation>Gravités</translation>
    </message>
    <message>
        <source>Custom Icons</source>
        <translation>Icônes perso.</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>Server used for updates</source>
        <translation>Serveur de mises à jour</translation>
    </message>
    <message>
        <source>Email address to notify</source>
        <translation>Adresse e-mail à avertir</translation>
    </message>
    <message>
        <source>Server used to send mail.</source>
        <translation>Serveur d&apos;envoi des e-mails.</translation>
    </message>
    <message>
        <source>Mail host login ID</source>
        <translation>Identifiant du serveur</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>Text or Characters</source>
        <translation>Texte ou caractères</translation>
    </message>
</context>
<context>
    <name>corvane::TSplashForm</name>
    <message>
        <source>Version: %1.%2.%3.%4</source>
        <translation>Version : %1.%2.%3.%4</translation>
    </message>
</context>
<context>
    <name>corvane::TSysLogForm</name>
    <message>
        <source> Simple </source>
        <translation> Simple </translation>
    </message>
    <message>
        <source> Advanced </source>
        <translation> Avancé </translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Gravité</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source> Setup </source>
        <translation> Paramètres </translation>
    </message>
    <message>
        <source> Help </source>
        <translation> Aide </translation>
    </message>
    <message>
        <source> Close </source>
        <translation> Quitter </translation>
    </message>
    <message>
        <source> Clear </source>
        <translation> Effacer </translation>
    </message>
    <message>
        <source> Apply </source>
        <translation> Appliquer </translation>
    </message>
    <message>
        <source> Edit </source>
        <translation> Modifier </translation>
    </message>
    <message>
        <source> Dropped: %1</source>
        <translation> Perdus : %1</translation>
    </message>
    <message>
        <source>Delete all %1 messages in view?</source>
        <translation>Supprimer les %1 messages affichés ?</translation>
    </message>
    <message>
        <source> %1 new</source>
        <translation> %1 nouveaux</translation>
    </message>
    <message>
        <source>Messages that arrived while you read; click or press End to follow them</source>
        <translation>Messages arrivés pendant la lecture ; cliquez ou appuyez sur Fin pour les suivre</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Advanced data Filter experssion</source>
        <translation>Expression de filtre avancée</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Of last - </source>
        <translation>Derniers - </translation>
    </message>
    <message>
        <source>IP Address - </source>
        <translation>Adresse IP - </translation>
    </message>
    <message>
        <source>For - </source>
        <translation>Pour - </translation>
    </message>
    <message>
        <source>with Severity - </source>
        <translation>avec gravité - </translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Facility</source>
        <translation>Facility</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date :</translation>
    </message>
    <message>
        <source>Severity:</source>
        <translation>Gravité :</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>N/D</translation>
    </message>
    <message>
        <source>Process:</source>
        <translation>Processus :</translation>
    </message>
    <message>
        <source>No current process</source>
        <translation>Aucun processus en cours</translation>
    </message>
    <message>
        <source>Process ID:</source>
        <translation>ID de processus :</translation>
    </message>
    <message>
        <source> Raw Data (8bit ASCII)</source>
        <translation> Octets bruts (ASCII 8 bits)</translation>
    </message>
    <message>
        <source> Description: </source>
        <translation> Description : </translation>
    </message>
    <message>
        <source> Message - </source>
        <translation> Message - </translation>
    </message>
    <message>
        <source> Address - </source>
        <translation> Adresse - </translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Données</translation>
    </message>
    <message>
        <source> Up Time: </source>
        <translation> En service : </translation>
    </message>
    <message>
        <source> Events: </source>
        <translation> Événements : </translation>
    </message>
    <message>
        <source>TCP connections closed for want of a free slot: %1</source>
        <translation>Connexions TCP fermées faute de place libre : %1</translation>
    </message>
    <message>
        <source>Datagrams that arrived faster than they could be taken in</source>
        <translation>Datagrammes arrivés plus vite qu&apos;ils ne pouvaient être traités</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>UDP listening on %1</source>
        <translation>UDP à l’écoute sur %1</translation>
    </message>
    <message>
        <source>UDP not listening</source>
        <translation>UDP pas à l’écoute</translation>
    </message>
    <message>
        <source>TCP listening on %1</source>
        <translation>TCP à l’écoute sur %1</translation>
    </message>
    <message>
        <source>TCP not listening: %1</source>
        <translation>TCP pas à l’écoute : %1</translation>
    </message>
    <message>
        <source>TCP off</source>
        <translation>TCP désactivé</translation>
    </message>
    <message>
        <source> TCP %1 off</source>
        <translation> TCP %1 fermé</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>Notification Mail</source>
        <translation>E-mail de notification</translation>
    </message>
    <message>
        <source>The notification mail could not be sent: %1</source>
        <translation>L&apos;e-mail de notification n&apos;a pas pu être envoyé : %1</translation>
    </message>
    <message>
        <source>It is tried again later; the matching messages are kept for it.</source>
        <translation>Un nouvel essai aura lieu plus tard ; les messages correspondants sont conservés.</translation>
    </message>
    <message>
        <source>No mail address to notify is set.</source>
        <translation>Aucune adresse e-mail à avertir n&apos;est indiquée.</translation>
    </message>
    <message>
        <source>No mail server is set.</source>
        <translation>Aucun serveur de messagerie n&apos;est indiqué.</translation>
    </message>
    <message>
        <source>The mail server port is not a number from 1 to 65535.</source>
        <translation>Le port du serveur de messagerie n&apos;est pas un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>Update Host</source>
        <translation>Mise à jour de l&apos;hôte</translation>
    </message>
    <message>
        <source>Save Data</source>
        <translation>Enregistrement des données</translation>
    </message>
    <message>
        <source>The received messages could not be saved. They are kept in memory and saving is tried again with the next message.</source>
        <translation>Les messages reçus n&apos;ont pas pu être enregistrés. Ils sont conservés en mémoire et l&apos;enregistrement sera de nouveau tenté à la réception du prochain message.</translation>
    </message>
    <message>
        <source>Could not read the settings file %1: %2</source>
        <translation>Impossible de lire le fichier de paramètres %1 : %2</translation>
    </message>
    <message>
        <source>The settings file %1 is too large to be a settings file.</source>
        <translation>Le fichier %1 est trop volumineux pour être un fichier de paramètres.</translation>
    </message>
    <message>
        <source>Could not write the settings file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier de paramètres %1 : %2</translation>
    </message>
    <message>
        <source>Get Data</source>
        <translation>Récupération des données</translation>
    </message>
    <message>
        <source>An error has occured obtaining Data from the Server.</source>
        <translation>Une erreur s&apos;est produite lors de la récupération des données depuis le serveur.</translation>
    </message>
    <message>
        <source>The Host name could not be resolved to an IP address.</source>
        <translation>Le nom d&apos;hôte n&apos;a pas pu être résolu en adresse IP.</translation>
    </message>
    <message>
        <source>Update Check</source>
        <translation>Recherche de mises à jour</translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Could not write the file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier %1 : %2</translation>
    </message>
    <message>
        <source>Filter expression incorrectly terminated</source>
        <translation>Expression de filtre mal terminée</translation>
    </message>
    <message>
        <source>Unterminated field name</source>
        <translation>Nom de champ non terminé</translation>
    </message>
    <message>
        <source>Unterminated string constant</source>
        <translation>Constante de chaîne non terminée</translation>
    </message>
    <message>
        <source>Invalid filter expression character: &apos;%s&apos;</source>
        <translation>Caractère non valide dans l&apos;expression de filtre : &apos;%s&apos;</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but %s found</source>
        <translation>&apos;(&apos; attendu, mais %s trouvé</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but %s found</source>
        <translation>&apos;)&apos; attendu, mais %s trouvé</translation>
    </message>
    <message>
        <source>&apos;)&apos; or &apos;,&apos; expected but %s found</source>
        <translation>&apos;)&apos; ou &apos;,&apos; attendu, mais %s trouvé</translation>
    </message>
    <message>
        <source>Expression expected but %s found</source>
        <translation>Expression attendue, mais %s trouvé</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; not found</source>
        <translation>Champ &apos;%s&apos; introuvable</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be used in a filter expression</source>
        <translation>Le champ &apos;%s&apos; ne peut pas être utilisé dans une expression de filtre</translation>
    </message>
    <message>
        <source>NULL only allowed with &apos;=&apos; and &apos;&lt;&gt;&apos;</source>
        <translation>NULL n&apos;est autorisé qu&apos;avec &apos;=&apos; et &apos;&lt;&gt;&apos;</translation>
    </message>
    <message>
        <source>IN predicate list may not be empty</source>
        <translation>La liste du prédicat IN ne peut pas être vide</translation>
    </message>
    <message>
        <source>Invalid use of keyword</source>
        <translation>Utilisation non valide d&apos;un mot-clé</translation>
    </message>
    <message>
        <source>Type mismatch in expression</source>
        <translation>Types incompatibles dans l&apos;expression</translation>
    </message>
    <message>
        <source>Incorrectly formed filter expression</source>
        <translation>Expression de filtre mal formée</translation>
    </message>
    <message>
        <source>Aggregate expressions not allowed in filters</source>
        <translation>Les expressions d&apos;agrégat ne sont pas autorisées dans les filtres</translation>
    </message>
    <message>
        <source>Operation cannot mix aggregate value with record-varying value</source>
        <translation>L&apos;opération ne peut pas mélanger une valeur d&apos;agrégat et une valeur propre à chaque enregistrement</translation>
    </message>
    <message>
        <source>Constant out of range</source>
        <translation>Constante hors limites</translation>
    </message>
    <message>
        <source>Constant is not correct type %s</source>
        <translation>La constante n&apos;est pas du type attendu %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>&apos;%s&apos; n&apos;est pas un entier valide</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid date and time</source>
        <translation>&apos;%s&apos; n&apos;est pas une date et une heure valides</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message>
        <source>Could not bind socket. Address and port are already in use.</source>
        <translation>Impossible de lier le socket. L&apos;adresse et le port sont déjà utilisés.</translation>
    </message>
    <message>
        <source>Could not bind socket. Port %1 is below 1024 and this program has no right to use it. Run it with the cap_net_bind_service capability (setcap cap_net_bind_service=+ep on the executable) or choose a port of 1024 or above in the settings.</source>
        <translation>Impossible de lier le socket. Le port %1 est inférieur à 1024 et ce programme n&apos;a pas le droit de l&apos;utiliser. Lancez-le avec la capacité cap_net_bind_service (setcap cap_net_bind_service=+ep sur l&apos;exécutable) ou choisissez dans les paramètres un port supérieur ou égal à 1024.</translation>
    </message>
    <message>
        <source>Could not bind socket. The address %1 does not belong to this computer.</source>
        <translation>Impossible de lier le socket. L&apos;adresse %1 n&apos;appartient pas à cet ordinateur.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not an IP address.</source>
        <translation>Impossible de lier le socket. %1 n&apos;est pas une adresse IP.</translation>
    </message>
    <message>
        <source>Could not bind socket. %1 is not a port number (1 to 65535).</source>
        <translation>Impossible de lier le socket. %1 n&apos;est pas un numéro de port (1 à 65535).</translation>
    </message>
    <message>
        <source>Could not bind socket. %1</source>
        <translation>Impossible de lier le socket. %1</translation>
    </message>
    <message>
        <source>Could not create socket. %1</source>
        <translation>Impossible de créer le socket. %1</translation>
    </message>
    <message>
        <source>Could not receive from socket. %1</source>
        <translation>Impossible de recevoir des données du socket. %1</translation>
    </message>
    <message>
        <source>Syslog over TCP from %1 is not framed as expected: %2. Reading goes on at the next message; further errors of this connection are not shown.</source>
        <translation>Syslog sur TCP de %1 n&apos;est pas tramé comme prévu : %2. La lecture reprend au message suivant ; les autres erreurs de cette connexion ne sont pas affichées.</translation>
    </message>
    <message>
        <source>The TCP listener has nowhere to deliver messages.</source>
        <translation>Le récepteur TCP n&apos;a nulle part où remettre les messages.</translation>
    </message>
    <message>
        <source>Syslog over TCP cannot be received. %1</source>
        <translation>Impossible de recevoir le syslog sur TCP. %1</translation>
    </message>
    <message>
        <source>Port Settings</source>
        <translation>Paramètres du port</translation>
    </message>
    <message>
        <source>The server&apos;s answer is larger than %1 bytes.</source>
        <translation>La réponse du serveur dépasse %1 octets.</translation>
    </message>
    <message>
        <source>The server&apos;s answer could not be stored.</source>
        <translation>La réponse du serveur n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>HTTP error %1</source>
        <translation>Erreur HTTP %1</translation>
    </message>
    <message>
        <source>Notification Execute</source>
        <translation>Exécution de la notification</translation>
    </message>
    <message>
        <source>An Error ocurred opening the file. File name %s</source>
        <translation>Une erreur s&apos;est produite à l&apos;ouverture du fichier. Nom du fichier %s</translation>
    </message>
    <message>
        <source>Initialize Data</source>
        <translation>Initialisation des données</translation>
    </message>
    <message>
        <source>Filter expressions are not available</source>
        <translation>Les expressions de filtre ne sont pas disponibles</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on a closed dataset</source>
        <translation>%s : Impossible d&apos;effectuer cette opération sur un ensemble de données fermé</translation>
    </message>
    <message>
        <source>%s: Cannot perform this operation on an empty dataset</source>
        <translation>%s : Impossible d&apos;effectuer cette opération sur un ensemble de données vide</translation>
    </message>
    <message>
        <source>%s: Dataset not in edit or insert mode</source>
        <translation>%s : L&apos;ensemble de données n&apos;est pas en mode modification ou insertion</translation>
    </message>
    <message>
        <source>Field &apos;%s&apos; cannot be modified</source>
        <translation>Le champ &apos;%s&apos; ne peut pas être modifié</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid value for field &apos;%s&apos;</source>
        <translation>&apos;%s&apos; n&apos;est pas une valeur valide pour le champ &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;. %s</source>
        <translation>Impossible d&apos;ouvrir le fichier « %s ». %s</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%s&quot;. %s</source>
        <translation>Impossible d&apos;écrire le fichier « %s ». %s</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and an empty table was started.</source>
        <translation>Le fichier de données « %s » n&apos;a pas pu être chargé (%s). Il a été conservé sous « %s » et une table vide a été créée.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). The built-in names were filled in.</source>
        <translation>Le fichier de données « %s » n&apos;a pas pu être chargé (%s). Les noms prédéfinis ont été remplis.</translation>
    </message>
    <message>
        <source>The data file &quot;%s&quot; could not be loaded (%s). It was kept as &quot;%s&quot; and the built-in names were filled in.</source>
        <translation>Le fichier de données « %s » n&apos;a pas pu être chargé (%s). Il a été conservé sous « %s » et les noms prédéfinis ont été remplis.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by Corvane process %s. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>Le dossier de données « %s » est utilisé par le processus Corvane %s. Un seul Corvane à la fois peut y conserver ses messages : fermez d&apos;abord celui-là, ou démarrez celui-ci avec un autre dossier de données.</translation>
    </message>
    <message>
        <source>The data folder &quot;%s&quot; is in use by another Corvane. Only one Corvane at a time can keep its messages there: close that one first, or start this one with another data folder.</source>
        <translation>Le dossier de données « %s » est utilisé par un autre Corvane. Un seul Corvane à la fois peut y conserver ses messages : fermez d&apos;abord celui-là, ou démarrez celui-ci avec un autre dossier de données.</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; does not belong to the data file beside it. It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>Le journal « %s » n&apos;appartient pas au fichier de données à côté de lui. Il n&apos;a pas été appliqué et a été conservé sous « %s ».</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; is damaged after its first %s changes, which were applied. It was kept as &quot;%s&quot;.</source>
        <translation>Le journal « %s » est endommagé après ses %s premières modifications, qui ont été appliquées. Il a été conservé sous « %s ».</translation>
    </message>
    <message>
        <source>The journal &quot;%s&quot; could not be read (%s). It was not applied and was kept as &quot;%s&quot;.</source>
        <translation>Le journal « %s » n&apos;a pas pu être lu (%s). Il n&apos;a pas été appliqué et a été conservé sous « %s ».</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Le fichier est vide</translation>
    </message>
    <message>
        <source>The file is not a data packet</source>
        <translation>Le fichier n&apos;est pas un paquet de données</translation>
    </message>
    <message>
        <source>The data packet is cut off</source>
        <translation>Le paquet de données est tronqué</translation>
    </message>
    <message>
        <source>The data packet is malformed: %s</source>
        <translation>Le paquet de données est mal formé : %s</translation>
    </message>
    <message>
        <source>Invalid value &quot;%s&quot; for field &apos;%s&apos;</source>
        <translation>Valeur « %s » non valide pour le champ &apos;%s&apos;</translation>
    </message>
    <message>
        <source>Records of the binary data packet form cannot be read; save the table in the XML form</source>
        <translation>Les enregistrements au format binaire de paquet de données ne peuvent pas être lus ; enregistrez la table au format XML</translation>
    </message>
    <message>
        <source>Unknown Component</source>
        <translation>Composant inconnu</translation>
    </message>
    <message>
        <source>An unknown exception has occured.</source>
        <translation>Une exception inconnue s&apos;est produite.</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Value must be a number. [1..65535]</source>
        <translation>La valeur doit être un nombre. [1..65535]</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Supprimer l&apos;enregistrement ?</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>The help pages were not found in %1.</source>
        <translation>Les pages d&apos;aide sont introuvables dans %1.</translation>
    </message>
    <message>
        <source>Could not create the export file %1: %2</source>
        <translation>Impossible de créer le fichier d&apos;exportation %1 : %2</translation>
    </message>
    <message>
        <source>Could not write the export file %1: %2. The incomplete file was removed.</source>
        <translation>Impossible d&apos;écrire le fichier d&apos;exportation %1 : %2. Le fichier incomplet a été supprimé.</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>Impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>There is no field named %1.</source>
        <translation>Aucun champ ne s&apos;appelle %1.</translation>
    </message>
    <message>
        <source>The message table is not open.</source>
        <translation>La table des messages n&apos;est pas ouverte.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Notification Sound</source>
        <translation>Son de notification</translation>
    </message>
    <message>
        <source>The notification sound cannot be played (%s). No further sounds are played until the program is started again.</source>
        <translation>Le son de notification ne peut pas être joué (%s). Aucun autre son ne sera joué avant le prochain démarrage du programme.</translation>
    </message>
    <message>
        <source>Program Files</source>
        <translation>Fichiers du programme</translation>
    </message>
    <message>
        <source>The image library %1 was not found; the window is shown without its pictures.</source>
        <translation>La bibliothèque d'images %1 est introuvable ; la fenêtre s'affiche sans ses images.</translation>
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
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>corvane::TrayIcon</name>
    <message>
        <source>Show Corvane</source>
        <translation>Afficher Corvane</translation>
    </message>
    <message>
        <source>Pause alerts for 1 hour</source>
        <translation>Suspendre les alertes pendant 1 heure</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>1 new matching message</source>
        <translation>1 nouveau message correspondant</translation>
    </message>
    <message>
        <source>%1 new matching messages</source>
        <translation>%1 nouveaux messages correspondants</translation>
    </message>
    <message>
        <source>Alerts paused</source>
        <translation>Alertes suspendues</translation>
    </message>
</context>
<context>
    <name>corvane::DesktopNotifier</name>
    <message>
        <source>No message from %1 (%2) for %3 minutes</source>
        <translation>Aucun message de %1 (%2) depuis %3 minutes</translation>
    </message>
    <message>
        <source>%1 (%2) sends again after %3 minutes</source>
        <translation>%1 (%2) envoie de nouveau après %3 minutes</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2) : %3</translation>
    </message>
    <message>
        <source>%1 more matching messages</source>
        <translation>%1 autres messages correspondants</translation>
    </message>
</context>
</TS>
