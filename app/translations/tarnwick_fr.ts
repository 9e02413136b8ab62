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
        <extracomment>Two parts joined by a colon: a failure and its folder, or a folder and what became of it.</extracomment>
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
</context>
</TS>
