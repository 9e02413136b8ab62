<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Tarnwick</name>
    <message>
        <source>at line %1</source>
        <translation>à la ligne %1</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Veuillez envoyer une capture d’écran de ce message par e-mail à %1</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>Two parts joined by a colon: a failure and its folder, or a folder and what became of it.
----------
A FOLDER given on the command line, and why it is not taken.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Chemin introuvable</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Erreur d’accès au chemin ou au fichier</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Accès refusé</translation>
    </message>
    <message>
        <source>File already exists</source>
        <translation>Le fichier existe déjà</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erreur de l’application</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Veuillez choisir un dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Name of Folder(s) - Now</source>
        <translation>Nom du dossier – actuel</translation>
    </message>
    <message>
        <source>Name of Folder(s) - New Name</source>
        <translation>Nom du dossier – nouveau nom</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Index hors limites</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Aucun changement</translation>
    </message>
    <message>
        <source>Another listed folder gets this name: %1</source>
        <translation>Un autre dossier de la liste reçoit ce nom&#xa0;: %1</translation>
    </message>
    <message>
        <source>Change case of folder(s) to UPPER CASE</source>
        <translation>Noms des dossiers en MAJUSCULES</translation>
    </message>
    <message>
        <source>Change case of folder(s) to lower case</source>
        <translation>Noms des dossiers en minuscules</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Proper Case</source>
        <translation>Noms des dossiers&#xa0;: Majuscule À Chaque Mot</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Sentence case</source>
        <translation>Noms des dossiers&#xa0;: Majuscule en début de phrase</translation>
    </message>
    <message>
        <source>The new name is empty</source>
        <translation>Le nouveau nom est vide</translation>
    </message>
    <message>
        <source>Folder name is ambiguous</source>
        <translation>Nom de dossier ambigu</translation>
    </message>
    <message>
        <source>it matches %1 folders</source>
        <translation>il correspond à %1 dossiers</translation>
    </message>
    <message>
        <source>another folder bears the name %1</source>
        <translation>un autre dossier porte déjà le nom %1</translation>
    </message>
    <message>
        <source>another folder bears the name %1 in other letter case</source>
        <translation>un autre dossier porte déjà le nom %1, avec une autre casse</translation>
    </message>
    <message>
        <source>the folder keeps the temporary name %1</source>
        <translation>le dossier garde le nom provisoire %1</translation>
    </message>
    <message>
        <source>Not found on disk</source>
        <translation>Introuvable sur le disque</translation>
    </message>
    <message>
        <source>Refused: another folder bears this name</source>
        <translation>Refusé&#xa0;: un autre dossier porte ce nom</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>Aucun dossier n’a été ajouté.</translation>
    </message>
    <message>
        <source>You need to click Set New Name (Preview) first.</source>
        <translation>Cliquez d’abord sur «&#xa0;Définir le nouveau nom (aperçu)&#xa0;».</translation>
    </message>
    <message numerus="yes">
        <source>%n more folders could not be renamed:</source>
        <translation>
            <numerusform>%n autre dossier n’a pas pu être renommé&#xa0;:</numerusform>
            <numerusform>%n autres dossiers n’ont pas pu être renommés&#xa0;:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>et %n autre.</numerusform>
            <numerusform>et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Don&apos;t show further errors of this run</source>
        <translation>Ne plus afficher d’erreurs pendant cette opération</translation>
    </message>
    <message>
        <source>Undo Last Run</source>
        <translation>Annuler le dernier renommage</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Each FOLDER is added to the list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Change d’un coup la casse de nombreux noms de dossiers. Chaque FOLDER est ajouté à la liste comme le fait «&#xa0;Ajouter des dossiers&#xa0;».</translation>
    </message>
    <message>
        <source>A folder to add to the list.</source>
        <translation>Un dossier à ajouter à la liste.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Essayez «&#xa0;%1 --help&#xa0;» pour plus d’informations.</translation>
    </message>
    <message>
        <source>Add Folder(s)</source>
        <translation>Ajouter des dossiers</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Load Sample/Example Folders</source>
        <translation>Charger les exemples</translation>
    </message>
    <message>
        <source>Start Renaming (Execute)</source>
        <translation>Lancer le renommage (Exécuter)</translation>
    </message>
    <message>
        <source>Case Option</source>
        <translation>Casse</translation>
    </message>
    <message>
        <source>Subfolder Option</source>
        <translation>Sous-dossiers</translation>
    </message>
    <message>
        <source>Add subfolders when adding folders</source>
        <translation>Inclure les sous-dossiers</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Image non valide</translation>
    </message>
    <message>
        <source>Questions? Please contact %1 at %2</source>
        <extracomment>The maker, then the address of its contact page.</extracomment>
        <translation>Des questions&#xa0;? Contactez %1 à l’adresse %2</translation>
    </message>
    <message>
        <source>Path/File access error: the sample folders could not be copied to %1</source>
        <translation>Erreur d’accès au chemin ou au fichier&#xa0;: les dossiers d’exemple n’ont pas pu être copiés dans %1</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>Voulez-vous ouvrir le dossier où sont rangés ces exemples (pour les regarder avant de travailler dessus)&#xa0;?</translation>
    </message>
    <message>
        <source>The skin file is not a valid style sheet: %1</source>
        <translation>Le fichier de thème n’est pas une feuille de style valide&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1, skipped: %2</source>
        <extracomment>Why a path was not added, then the path.</extracomment>
        <translation>%1, ignoré&#xa0;: %2</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>n’est pas un dossier</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>n’existe pas</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>illisible</translation>
    </message>
    <message numerus="yes">
        <source>%n of the paths Tarnwick was started with could not be added:</source>
        <translation>
            <numerusform>%n chemin donné au démarrage de Tarnwick n’a pas pu être ajouté&#xa0;:</numerusform>
            <numerusform>%n chemins donnés au démarrage de Tarnwick n’ont pas pu être ajoutés&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Left as it is: a folder above it is no longer the one listed</source>
        <translation>Laissé tel quel&#xa0;: un dossier au-dessus n’est plus celui de la liste</translation>
    </message>
    <message>
        <source>1 more folder could not be renamed:</source>
        <translation>1 autre dossier n’a pas pu être renommé&#xa0;:</translation>
    </message>
    <message>
        <source>--case needs an operation: upper, lower, proper or sentence</source>
        <translation>--case attend une opération : upper, lower, proper ou sentence</translation>
    </message>
    <message>
        <source>unknown operation &apos;%1&apos;: use upper, lower, proper or sentence</source>
        <translation>opération inconnue « %1 » : utilisez upper, lower, proper ou sentence</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue « %1 »</translation>
    </message>
    <message>
        <source>--case and --undo exclude each other</source>
        <translation>--case et --undo s’excluent</translation>
    </message>
    <message>
        <source>--undo takes no FOLDER</source>
        <translation>--undo ne prend aucun DOSSIER</translation>
    </message>
    <message>
        <source>no operation: give --case upper, lower, proper or sentence, or --undo</source>
        <translation>aucune opération : indiquez --case upper, lower, proper ou sentence, ou --undo</translation>
    </message>
    <message>
        <source>no FOLDER given</source>
        <translation>aucun DOSSIER indiqué</translation>
    </message>
    <message>
        <source>&apos;-&apos; reads the folders from standard input and must be the only FOLDER</source>
        <translation>« - » lit les dossiers sur l’entrée standard et doit être le seul DOSSIER</translation>
    </message>
    <message>
        <source>record %1 of standard input:</source>
        <extracomment>Where a path came from: its record of standard input, numbered from 1.</extracomment>
        <translation>enregistrement %1 de l’entrée standard :</translation>
    </message>
    <message>
        <source>%1 to rename, %2 unchanged, %3 refused; nothing renamed (add --apply to rename)</source>
        <translation>%1 à renommer, %2 inchangés, %3 refusés ; rien n’a été renommé (ajoutez --apply pour renommer)</translation>
    </message>
    <message>
        <source>%1 renamed, %2 unchanged, %3 not renamed</source>
        <translation>%1 renommés, %2 inchangés, %3 non renommés</translation>
    </message>
    <message>
        <source>Stopped: %1; %2 not reached keep their names</source>
        <translation>Arrêté : %1 ; %2 non atteints gardent leur nom</translation>
    </message>
    <message>
        <source>Stopped while adding folders; nothing was renamed</source>
        <translation>Arrêté pendant l’ajout des dossiers ; rien n’a été renommé</translation>
    </message>
    <message>
        <source>Stopped; nothing was renamed</source>
        <translation>Arrêté ; rien n’a été renommé</translation>
    </message>
    <message>
        <source>empty FOLDER</source>
        <translation>DOSSIER vide</translation>
    </message>
    <message>
        <source>not valid in the system&apos;s encoding: %1</source>
        <translation>non valide dans l’encodage du système : %1</translation>
    </message>
    <message>
        <source>no folder read from standard input</source>
        <translation>aucun dossier lu sur l’entrée standard</translation>
    </message>
    <message>
        <source>standard input holds no NUL: give the paths NUL-separated (find -print0)</source>
        <translation>l’entrée standard ne contient aucun NUL : séparez les chemins par NUL (find -print0)</translation>
    </message>
    <message>
        <source>empty record %1 in standard input</source>
        <translation>enregistrement %1 vide sur l’entrée standard</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Utilisation :</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Without --case or --undo the window opens, each FOLDER added to its list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Change la casse des noms de dossiers en masse. Sans --case ni --undo, la fenêtre s’ouvre et chaque DOSSIER est ajouté à sa liste comme le fait « Ajouter des dossiers ».</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options :</translation>
    </message>
    <message>
        <source>Changes each FOLDER&apos;s name, and those of the folders below it, to upper, lower, proper or sentence case. Without --apply it only prints the plan.</source>
        <translation>Change le nom de chaque DOSSIER, et ceux des dossiers en dessous, en upper (MAJUSCULES), lower (minuscules), proper (Initiales) ou sentence (Phrase). Sans --apply, affiche seulement le plan.</translation>
    </message>
    <message>
        <source>Takes the FOLDERs alone, not the folders below them.</source>
        <translation>Prend les DOSSIERS seuls, sans les dossiers en dessous.</translation>
    </message>
    <message>
        <source>Renames. Without it nothing is renamed.</source>
        <translation>Renomme. Sans cette option, rien n’est renommé.</translation>
    </message>
    <message>
        <source>One JSON object per line (path, newPath, status, reason) instead of text.</source>
        <translation>Un objet JSON par ligne (path, newPath, status, reason) au lieu du texte.</translation>
    </message>
    <message>
        <source>Gives the folders of the last recorded run their names back. Without --apply it only says what it would do.</source>
        <translation>Rend leur nom aux dossiers de la dernière exécution enregistrée. Sans --apply, dit seulement ce qu’il ferait.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>A FOLDER &quot;-&quot; reads NUL-separated paths from standard input.</source>
        <translation>Un DOSSIER « - » lit des chemins séparés par NUL sur l’entrée standard.</translation>
    </message>
    <message>
        <source>Exit status: 0 all renamed (or all can be), 1 some not, 2 bad usage or a FOLDER that is not a folder, 130 stopped by Ctrl+C.</source>
        <translation>Code de sortie : 0 tous renommés (ou tous renommables), 1 certains non, 2 mauvaise utilisation ou un DOSSIER qui n’est pas un dossier, 130 arrêté par Ctrl+C.</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Exemples :</translation>
    </message>
    <message>
        <source>Opens the window with ~/Music and its subfolders.</source>
        <translation>Ouvre la fenêtre avec ~/Music et ses sous-dossiers.</translation>
    </message>
    <message>
        <source>Prints what lower case would rename; renames nothing.</source>
        <translation>Affiche ce que les minuscules renommeraient ; ne renomme rien.</translation>
    </message>
    <message>
        <source>Renames ~/Music and every folder below it to Proper Case.</source>
        <translation>Renomme ~/Music et chaque dossier en dessous avec des Initiales en majuscule.</translation>
    </message>
    <message>
        <source>Renames the folders find names, and no others.</source>
        <translation>Renomme les dossiers que find nomme, et aucun autre.</translation>
    </message>
    <message>
        <source>Gives the folders of the last run their names back.</source>
        <translation>Rend leur nom aux dossiers de la dernière exécution.</translation>
    </message>
    <message>
        <source>%1 (see tarnwick --help)</source>
        <extracomment>A command line refused, and where to read how it goes.</extracomment>
        <translation>%1 (voir tarnwick --help)</translation>
    </message>
    <message>
        <source>%1 folders to give their names back; nothing renamed (add --apply to undo)</source>
        <translation>%1 dossiers à qui rendre leur nom ; rien n’a été renommé (ajoutez --apply pour annuler)</translation>
    </message>
    <message>
        <source>%1 given their names back, %2 not</source>
        <translation>%1 ont retrouvé leur nom, %2 non</translation>
    </message>
    <message>
        <source>no recorded run to undo</source>
        <translation>aucune exécution enregistrée à annuler</translation>
    </message>
    <message>
        <source>Folders renamed</source>
        <translation>Dossiers renommés</translation>
    </message>
    <message>
        <source>Folders checked</source>
        <translation>Dossiers vérifiés</translation>
    </message>
    <message>
        <source>Folders looked through</source>
        <translation>Dossiers parcourus</translation>
    </message>
    <message>
        <source>renaming %1 of %2</source>
        <translation>renommage %1 sur %2</translation>
    </message>
    <message>
        <source>undoing %1 of %2</source>
        <translation>annulation %1 sur %2</translation>
    </message>
    <message>
        <source>adding: %1 folders found</source>
        <translation>ajout : %1 dossiers trouvés</translation>
    </message>
    <message>
        <source>stopped: %1 renamed, %2 not renamed</source>
        <translation>arrêté : %1 renommés, %2 non renommés</translation>
    </message>
    <message>
        <source>Renaming folders</source>
        <translation>Renommage des dossiers</translation>
    </message>
    <message>
        <source>Undoing the last run</source>
        <translation>Annulation de la dernière exécution</translation>
    </message>
    <message>
        <source>it is not a run record of this program</source>
        <translation>ce n’est pas un journal d’exécution de ce programme</translation>
    </message>
    <message>
        <source>it was written in format %1, which this version does not read</source>
        <translation>il a été écrit au format %1, que cette version ne lit pas</translation>
    </message>
    <message>
        <source>its beginning is damaged</source>
        <translation>son début est endommagé</translation>
    </message>
    <message>
        <source>it is cut short</source>
        <translation>il est incomplet</translation>
    </message>
    <message>
        <source>A run record that cannot be read was kept aside, untouched, as %1: %2</source>
        <translation>Un journal d’exécution illisible a été mis de côté, intact, sous le nom %1 : %2</translation>
    </message>
    <message>
        <source>Finish Run</source>
        <translation>Terminer l’exécution</translation>
    </message>
    <message>
        <source>Take Back</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>The last run was interrupted before it ended: %1 of its %2 folders do not bear their new names yet, %3 of them are under a temporary name.

Finish Run gives every folder its new name. Take Back gives every folder the name it had before the run. Later leaves them as they are and asks again at the next start.</source>
        <translation>La dernière exécution a été interrompue avant sa fin : %1 de ses %2 dossiers ne portent pas encore leur nouveau nom, dont %3 sous un nom provisoire.

Terminer l’exécution donne à chaque dossier son nouveau nom. Annuler rend à chaque dossier le nom qu’il avait avant l’exécution. Plus tard les laisse tels quels et repose la question au prochain démarrage.</translation>
    </message>
    <message>
        <source>Folders of the interrupted run left as they are:</source>
        <translation>Dossiers de l’exécution interrompue laissés tels quels :</translation>
    </message>
    <message>
        <source>Left as it is: it is not the folder the run renamed, or another program has renamed it since</source>
        <translation>Laissé tel quel : ce n’est pas le dossier que l’exécution a renommé, ou un autre programme l’a renommé depuis</translation>
    </message>
    <message>
        <source>The run cannot be recorded: %1. Rename anyway without a way to undo it after closing?</source>
        <translation>L’exécution ne peut pas être enregistrée : %1. Renommer quand même, sans pouvoir l’annuler après la fermeture ?</translation>
    </message>
    <message>
        <source>Folders given their names back</source>
        <translation>Dossiers ayant retrouvé leur nom</translation>
    </message>
    <message>
        <source>Adding folders</source>
        <translation>Ajout de dossiers</translation>
    </message>
    <message>
        <source>%1 renamed, %2 not renamed</source>
        <translation>%1 renommés, %2 non renommés</translation>
    </message>
    <message>
        <source>--recover needs how to settle the interrupted run: finish or take-back</source>
        <translation>--recover doit dire comment régler l’exécution interrompue : finish ou take-back</translation>
    </message>
    <message>
        <source>Settles a run that was interrupted (a crash, a pulled disk) before anything else: finish gives each of its folders its new name, take-back the name it had. Without it a terminal is asked, and a script is told on standard error and nothing is changed.</source>
        <translation>Règle d’abord une exécution interrompue (plantage, disque retiré) : finish donne à chacun de ses dossiers son nouveau nom, take-back le nom qu’il avait. Sans cette option, la question est posée dans le terminal ; un script en est averti sur la sortie d’erreur standard et rien n’est modifié.</translation>
    </message>
    <message>
        <source>%1 Nothing was changed; settle it with tarnwick --recover finish or tarnwick --recover take-back.</source>
        <translation>%1 Rien n’a été modifié ; réglez-la avec tarnwick --recover finish ou tarnwick --recover take-back.</translation>
    </message>
    <message>
        <source>%1, %2 or %3? [f/t/L] </source>
        <translation>%1, %2 ou %3 ? [f/t/L] </translation>
    </message>
    <message>
        <source>Interrupted runs settled: %1; folders renamed: %2, left as they are: %3</source>
        <translation>Exécutions interrompues réglées : %1 ; dossiers renommés : %2, laissés tels quels : %3</translation>
    </message>
</context>
</TS>
