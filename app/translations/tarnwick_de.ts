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
        <extracomment>Two parts joined by a colon: a failure and its folder, or a folder and what became of it.</extracomment>
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
</context>
</TS>
