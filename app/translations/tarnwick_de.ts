<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Tarnwick</name>
    <message>
        <source>at line %1</source>
        <translation>in Zeile %1</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an %1</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>Two parts joined by a colon: a failure and its folder, or a folder and what became of it.
----------
A FOLDER given on the command line, and why it is not taken.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad oder Datei</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>File already exists</source>
        <translation>Datei bereits vorhanden</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Bitte einen Ordner wählen:</translation>
    </message>
    <message>
        <source>Name of Folder(s) - Now</source>
        <translation>Ordnername – jetzt</translation>
    </message>
    <message>
        <source>Name of Folder(s) - New Name</source>
        <translation>Ordnername – neu</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Keine Änderung</translation>
    </message>
    <message>
        <source>Another listed folder gets this name: %1</source>
        <translation>Ein anderer Ordner der Liste erhält denselben Namen: %1</translation>
    </message>
    <message>
        <source>Change case of folder(s) to UPPER CASE</source>
        <translation>Schreibweise der Ordner: GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>Change case of folder(s) to lower case</source>
        <translation>Schreibweise der Ordner: kleinbuchstaben</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Proper Case</source>
        <translation>Schreibweise der Ordner: Jedes Wort Groß</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Sentence case</source>
        <translation>Schreibweise der Ordner: Satzanfang groß</translation>
    </message>
    <message>
        <source>The new name is empty</source>
        <translation>Der neue Name ist leer</translation>
    </message>
    <message>
        <source>Folder name is ambiguous</source>
        <translation>Der Ordnername ist nicht eindeutig</translation>
    </message>
    <message>
        <source>it matches %1 folders</source>
        <translation>er passt auf %1 Ordner</translation>
    </message>
    <message>
        <source>another folder bears the name %1</source>
        <translation>ein anderer Ordner heißt bereits %1</translation>
    </message>
    <message>
        <source>another folder bears the name %1 in other letter case</source>
        <translation>ein anderer Ordner heißt bereits %1, in anderer Groß- und Kleinschreibung</translation>
    </message>
    <message>
        <source>the folder keeps the temporary name %1</source>
        <translation>der Ordner behält den vorläufigen Namen %1</translation>
    </message>
    <message>
        <source>Not found on disk</source>
        <translation>Auf dem Datenträger nicht gefunden</translation>
    </message>
    <message>
        <source>Refused: another folder bears this name</source>
        <translation>Abgelehnt: Ein anderer Ordner trägt diesen Namen</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Es wurden noch keine Ordner hinzugefügt.</translation>
    </message>
    <message>
        <source>You need to click Set New Name (Preview) first.</source>
        <translation>Klicken Sie zuerst auf „Neuen Namen festlegen (Vorschau)“.</translation>
    </message>
    <message numerus="yes">
        <source>%n more folders could not be renamed:</source>
        <translation>
            <numerusform>%n weiterer Ordner konnte nicht umbenannt werden:</numerusform>
            <numerusform>%n weitere Ordner konnten nicht umbenannt werden:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>und %n weiterer.</numerusform>
            <numerusform>und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>Don&apos;t show further errors of this run</source>
        <translation>Keine weiteren Fehler dieses Durchgangs anzeigen</translation>
    </message>
    <message>
        <source>Undo Last Run</source>
        <translation>Letzte Umbenennung rückgängig machen</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Each FOLDER is added to the list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Ändert die Groß- und Kleinschreibung vieler Ordnernamen auf einmal. Jeder FOLDER kommt so in die Liste, wie „Ordner hinzufügen“ ihn hinzufügt.</translation>
    </message>
    <message>
        <source>A folder to add to the list.</source>
        <translation>Ein Ordner für die Liste.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Mehr dazu mit „%1 --help“.</translation>
    </message>
    <message>
        <source>Add Folder(s)</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Load Sample/Example Folders</source>
        <translation>Beispielordner laden</translation>
    </message>
    <message>
        <source>Start Renaming (Execute)</source>
        <translation>Umbenennen starten (Ausführen)</translation>
    </message>
    <message>
        <source>Case Option</source>
        <translation>Schreibweise</translation>
    </message>
    <message>
        <source>Subfolder Option</source>
        <translation>Unterordner</translation>
    </message>
    <message>
        <source>Add subfolders when adding folders</source>
        <translation>Unterordner mit hinzufügen</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Questions? Please contact %1 at %2</source>
        <extracomment>The maker, then the address of its contact page.</extracomment>
        <translation>Fragen? Wenden Sie sich bitte an %1 unter %2</translation>
    </message>
    <message>
        <source>Path/File access error: the sample folders could not be copied to %1</source>
        <translation>Fehler beim Zugriff auf Pfad oder Datei: Die Beispielordner konnten nicht nach %1 kopiert werden</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Soll der Ordner geöffnet werden, in dem diese Beispiele liegen (damit Sie sie sich ansehen können, bevor Sie mit ihnen arbeiten)?</translation>
    </message>
    <message>
        <source>The skin file is not a valid style sheet: %1</source>
        <translation>Die Designdatei ist kein gültiges Stylesheet: %1</translation>
    </message>
    <message>
        <source>%1, skipped: %2</source>
        <extracomment>Why a path was not added, then the path.</extracomment>
        <translation>%1, übersprungen: %2</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message numerus="yes">
        <source>%n of the paths Tarnwick was started with could not be added:</source>
        <translation>
            <numerusform>%n Pfad, mit dem Tarnwick gestartet wurde, konnte nicht hinzugefügt werden:</numerusform>
            <numerusform>%n Pfade, mit denen Tarnwick gestartet wurde, konnten nicht hinzugefügt werden:</numerusform>
        </translation>
    </message>
    <message>
        <source>Left as it is: a folder above it is no longer the one listed</source>
        <translation>Unverändert gelassen: Ein Ordner darüber ist nicht mehr der aufgelistete</translation>
    </message>
    <message>
        <source>1 more folder could not be renamed:</source>
        <translation>1 weiterer Ordner konnte nicht umbenannt werden:</translation>
    </message>
    <message>
        <source>--case needs an operation: upper, lower, proper or sentence</source>
        <translation>--case braucht eine Operation: upper, lower, proper oder sentence</translation>
    </message>
    <message>
        <source>unknown operation &apos;%1&apos;: use upper, lower, proper or sentence</source>
        <translation>unbekannte Operation „%1“: upper, lower, proper oder sentence verwenden</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>--case and --undo exclude each other</source>
        <translation>--case und --undo schließen einander aus</translation>
    </message>
    <message>
        <source>--undo takes no FOLDER</source>
        <translation>--undo nimmt keinen ORDNER</translation>
    </message>
    <message>
        <source>no operation: give --case upper, lower, proper or sentence, or --undo</source>
        <translation>keine Operation: --case upper, lower, proper oder sentence angeben, oder --undo</translation>
    </message>
    <message>
        <source>no FOLDER given</source>
        <translation>kein ORDNER angegeben</translation>
    </message>
    <message>
        <source>&apos;-&apos; reads the folders from standard input and must be the only FOLDER</source>
        <translation>„-“ liest die Ordner von der Standardeingabe und muss der einzige ORDNER sein</translation>
    </message>
    <message>
        <source>record %1 of standard input:</source>
        <extracomment>Where a path came from: its record of standard input, numbered from 1.</extracomment>
        <translation>Eintrag %1 der Standardeingabe:</translation>
    </message>
    <message>
        <source>%1 to rename, %2 unchanged, %3 refused; nothing renamed (add --apply to rename)</source>
        <translation>%1 umzubenennen, %2 unverändert, %3 abgelehnt; nichts umbenannt (--apply benennt um)</translation>
    </message>
    <message>
        <source>%1 renamed, %2 unchanged, %3 not renamed</source>
        <translation>%1 umbenannt, %2 unverändert, %3 nicht umbenannt</translation>
    </message>
    <message>
        <source>Stopped: %1; %2 not reached keep their names</source>
        <translation>Angehalten: %1; %2 nicht erreichte behalten ihre Namen</translation>
    </message>
    <message>
        <source>Stopped while adding folders; nothing was renamed</source>
        <translation>Beim Hinzufügen der Ordner angehalten; nichts wurde umbenannt</translation>
    </message>
    <message>
        <source>Stopped; nothing was renamed</source>
        <translation>Angehalten; nichts wurde umbenannt</translation>
    </message>
    <message>
        <source>empty FOLDER</source>
        <translation>leerer ORDNER</translation>
    </message>
    <message>
        <source>not valid in the system&apos;s encoding: %1</source>
        <translation>in der Kodierung des Systems ungültig: %1</translation>
    </message>
    <message>
        <source>no folder read from standard input</source>
        <translation>kein Ordner von der Standardeingabe gelesen</translation>
    </message>
    <message>
        <source>standard input holds no NUL: give the paths NUL-separated (find -print0)</source>
        <translation>die Standardeingabe enthält kein NUL: die Pfade durch NUL getrennt angeben (find -print0)</translation>
    </message>
    <message>
        <source>empty record %1 in standard input</source>
        <translation>leerer Eintrag %1 in der Standardeingabe</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Without --case or --undo the window opens, each FOLDER added to its list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Ändert die Groß- und Kleinschreibung vieler Ordnernamen auf einmal. Ohne --case oder --undo öffnet sich das Fenster, und jeder ORDNER wird der Liste hinzugefügt, wie „Ordner hinzufügen“ ihn hinzufügt.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Changes each FOLDER&apos;s name, and those of the folders below it, to upper, lower, proper or sentence case. Without --apply it only prints the plan.</source>
        <translation>Ändert den Namen jedes ORDNERS und der Ordner darunter in upper (GROSS), lower (klein), proper (Wortanfänge groß) oder sentence (Satzanfang groß). Ohne --apply gibt es nur den Plan aus.</translation>
    </message>
    <message>
        <source>Takes the FOLDERs alone, not the folders below them.</source>
        <translation>Nimmt nur die ORDNER selbst, nicht die Ordner darunter.</translation>
    </message>
    <message>
        <source>Renames. Without it nothing is renamed.</source>
        <translation>Benennt um. Ohne diese Option wird nichts umbenannt.</translation>
    </message>
    <message>
        <source>One JSON object per line (path, newPath, status, reason) instead of text.</source>
        <translation>Ein JSON-Objekt pro Zeile (path, newPath, status, reason) statt Text.</translation>
    </message>
    <message>
        <source>Gives the folders of the last recorded run their names back. Without --apply it only says what it would do.</source>
        <translation>Gibt den Ordnern des zuletzt aufgezeichneten Laufs ihre Namen zurück. Ohne --apply sagt es nur, was es tun würde.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Zeigt die Version.</translation>
    </message>
    <message>
        <source>A FOLDER &quot;-&quot; reads NUL-separated paths from standard input.</source>
        <translation>Ein ORDNER „-“ liest durch NUL getrennte Pfade von der Standardeingabe.</translation>
    </message>
    <message>
        <source>Exit status: 0 all renamed (or all can be), 1 some not, 2 bad usage or a FOLDER that is not a folder, 130 stopped by Ctrl+C.</source>
        <translation>Rückgabewert: 0 alle umbenannt (oder alle umbenennbar), 1 einige nicht, 2 falscher Aufruf oder ein ORDNER, der kein Ordner ist, 130 mit Strg+C angehalten.</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Beispiele:</translation>
    </message>
    <message>
        <source>Opens the window with ~/Music and its subfolders.</source>
        <translation>Öffnet das Fenster mit ~/Music und seinen Unterordnern.</translation>
    </message>
    <message>
        <source>Prints what lower case would rename; renames nothing.</source>
        <translation>Zeigt, was Kleinschreibung umbenennen würde; benennt nichts um.</translation>
    </message>
    <message>
        <source>Renames ~/Music and every folder below it to Proper Case.</source>
        <translation>Benennt ~/Music und jeden Ordner darunter in Wortanfänge groß um.</translation>
    </message>
    <message>
        <source>Renames the folders find names, and no others.</source>
        <translation>Benennt die Ordner um, die find nennt, und keine anderen.</translation>
    </message>
    <message>
        <source>Gives the folders of the last run their names back.</source>
        <translation>Gibt den Ordnern des letzten Laufs ihre Namen zurück.</translation>
    </message>
    <message>
        <source>%1 (see tarnwick --help)</source>
        <extracomment>A command line refused, and where to read how it goes.</extracomment>
        <translation>%1 (siehe tarnwick --help)</translation>
    </message>
    <message>
        <source>%1 folders to give their names back; nothing renamed (add --apply to undo)</source>
        <translation>%1 Ordnern den Namen zurückzugeben; nichts umbenannt (--apply macht rückgängig)</translation>
    </message>
    <message>
        <source>%1 given their names back, %2 not</source>
        <translation>%1 haben ihre Namen zurück, %2 nicht</translation>
    </message>
    <message>
        <source>no recorded run to undo</source>
        <translation>kein aufgezeichneter Lauf zum Rückgängigmachen</translation>
    </message>
    <message>
        <source>Folders renamed</source>
        <translation>Ordner umbenannt</translation>
    </message>
    <message>
        <source>Folders checked</source>
        <translation>Ordner geprüft</translation>
    </message>
    <message>
        <source>Folders looked through</source>
        <translation>Ordner durchgesehen</translation>
    </message>
    <message>
        <source>renaming %1 of %2</source>
        <translation>benenne %1 von %2 um</translation>
    </message>
    <message>
        <source>undoing %1 of %2</source>
        <translation>mache %1 von %2 rückgängig</translation>
    </message>
    <message>
        <source>adding: %1 folders found</source>
        <translation>füge hinzu: %1 Ordner gefunden</translation>
    </message>
    <message>
        <source>stopped: %1 renamed, %2 not renamed</source>
        <translation>angehalten: %1 umbenannt, %2 nicht umbenannt</translation>
    </message>
    <message>
        <source>Renaming folders</source>
        <translation>Ordner werden umbenannt</translation>
    </message>
    <message>
        <source>Undoing the last run</source>
        <translation>Letzter Lauf wird rückgängig gemacht</translation>
    </message>
    <message>
        <source>it is not a run record of this program</source>
        <translation>es ist kein Laufprotokoll dieses Programms</translation>
    </message>
    <message>
        <source>it was written in format %1, which this version does not read</source>
        <translation>es wurde im Format %1 geschrieben, das diese Version nicht liest</translation>
    </message>
    <message>
        <source>its beginning is damaged</source>
        <translation>sein Anfang ist beschädigt</translation>
    </message>
    <message>
        <source>it is cut short</source>
        <translation>es ist unvollständig</translation>
    </message>
    <message>
        <source>A run record that cannot be read was kept aside, untouched, as %1: %2</source>
        <translation>Ein Laufprotokoll, das sich nicht lesen lässt, wurde unverändert als %1 beiseitegelegt: %2</translation>
    </message>
    <message>
        <source>Finish Run</source>
        <translation>Lauf beenden</translation>
    </message>
    <message>
        <source>Take Back</source>
        <translation>Zurücknehmen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>The last run was interrupted before it ended: %1 of its %2 folders do not bear their new names yet, %3 of them are under a temporary name.

Finish Run gives every folder its new name. Take Back gives every folder the name it had before the run. Later leaves them as they are and asks again at the next start.</source>
        <translation>Der letzte Lauf wurde vor seinem Ende unterbrochen: %1 seiner %2 Ordner tragen ihre neuen Namen noch nicht, %3 davon stehen unter einem vorläufigen Namen.

Lauf beenden gibt jedem Ordner seinen neuen Namen. Zurücknehmen gibt jedem Ordner den Namen, den er vor dem Lauf hatte. Später lässt sie, wie sie sind, und fragt beim nächsten Start wieder.</translation>
    </message>
    <message>
        <source>Folders of the interrupted run left as they are:</source>
        <translation>Ordner des unterbrochenen Laufs, die unverändert blieben:</translation>
    </message>
    <message>
        <source>Left as it is: it is not the folder the run renamed, or another program has renamed it since</source>
        <translation>Unverändert gelassen: Es ist nicht der Ordner, den der Lauf umbenannt hat, oder ein anderes Programm hat ihn seitdem umbenannt</translation>
    </message>
    <message>
        <source>The run cannot be recorded: %1. Rename anyway without a way to undo it after closing?</source>
        <translation>Der Lauf kann nicht aufgezeichnet werden: %1. Trotzdem umbenennen, ohne ihn nach dem Schließen rückgängig machen zu können?</translation>
    </message>
    <message>
        <source>Folders given their names back</source>
        <translation>Ordner mit ihrem Namen zurück</translation>
    </message>
    <message>
        <source>Adding folders</source>
        <translation>Ordner werden hinzugefügt</translation>
    </message>
    <message>
        <source>%1 renamed, %2 not renamed</source>
        <translation>%1 umbenannt, %2 nicht umbenannt</translation>
    </message>
    <message>
        <source>--recover needs how to settle the interrupted run: finish or take-back</source>
        <translation>--recover braucht die Angabe, wie der unterbrochene Lauf beendet wird: finish oder take-back</translation>
    </message>
    <message>
        <source>Settles a run that was interrupted (a crash, a pulled disk) before anything else: finish gives each of its folders its new name, take-back the name it had. Without it a terminal is asked, and a script is told on standard error and nothing is changed.</source>
        <translation>Bringt vor allem anderen einen unterbrochenen Lauf (Absturz, abgezogenes Laufwerk) in Ordnung: finish gibt jedem seiner Ordner seinen neuen Namen, take-back den Namen, den er hatte. Ohne diese Option wird im Terminal gefragt; ein Skript erfährt es auf der Standardfehlerausgabe, und nichts wird geändert.</translation>
    </message>
    <message>
        <source>%1 Nothing was changed; settle it with tarnwick --recover finish or tarnwick --recover take-back.</source>
        <translation>%1 Nichts wurde geändert; beenden Sie ihn mit tarnwick --recover finish oder tarnwick --recover take-back.</translation>
    </message>
    <message>
        <source>%1, %2 or %3? [f/t/L] </source>
        <translation>%1, %2 oder %3? [f/t/L] </translation>
    </message>
    <message>
        <source>Interrupted runs settled: %1; folders renamed: %2, left as they are: %3</source>
        <translation>Unterbrochene Läufe bereinigt: %1; Ordner umbenannt: %2, unverändert gelassen: %3</translation>
    </message>
</context>
</TS>
