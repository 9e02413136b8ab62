<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Tarnwick</name>
    <message>
        <source>at line %1</source>
        <translation>en la línea %1</translation>
    </message>
    <message>
        <source>Please email screenshot of this message to %1</source>
        <translation>Envíe una captura de pantalla de este mensaje por correo electrónico a %1</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
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
        <translation>No se encontró la ruta</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Error de acceso a la ruta o al archivo</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>File already exists</source>
        <translation>El archivo ya existe</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Error de la aplicación</translation>
    </message>
    <message>
        <source>Please select folder:</source>
        <translation>Seleccione una carpeta:</translation>
    </message>
    <message>
        <source>Name of Folder(s) - Now</source>
        <translation>Nombre de la carpeta – actual</translation>
    </message>
    <message>
        <source>Name of Folder(s) - New Name</source>
        <translation>Nombre de la carpeta – nuevo</translation>
    </message>
    <message>
        <source>Index out of bounds</source>
        <translation>Índice fuera de rango</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Sin cambios</translation>
    </message>
    <message>
        <source>Another listed folder gets this name: %1</source>
        <translation>Otra carpeta de la lista recibe este nombre: %1</translation>
    </message>
    <message>
        <source>Change case of folder(s) to UPPER CASE</source>
        <translation>Nombres de las carpetas en MAYÚSCULAS</translation>
    </message>
    <message>
        <source>Change case of folder(s) to lower case</source>
        <translation>Nombres de las carpetas en minúsculas</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Proper Case</source>
        <translation>Nombres de las carpetas: Cada Palabra En Mayúscula</translation>
    </message>
    <message>
        <source>Change case of folder(s) to Sentence case</source>
        <translation>Nombres de las carpetas: Tipo oración</translation>
    </message>
    <message>
        <source>The new name is empty</source>
        <translation>El nombre nuevo está vacío</translation>
    </message>
    <message>
        <source>Folder name is ambiguous</source>
        <translation>El nombre de la carpeta es ambiguo</translation>
    </message>
    <message>
        <source>it matches %1 folders</source>
        <translation>coincide con %1 carpetas</translation>
    </message>
    <message>
        <source>another folder bears the name %1</source>
        <translation>otra carpeta ya se llama %1</translation>
    </message>
    <message>
        <source>another folder bears the name %1 in other letter case</source>
        <translation>otra carpeta ya se llama %1, con otras mayúsculas y minúsculas</translation>
    </message>
    <message>
        <source>the folder keeps the temporary name %1</source>
        <translation>la carpeta conserva el nombre provisional %1</translation>
    </message>
    <message>
        <source>Not found on disk</source>
        <translation>No se encontró en el disco</translation>
    </message>
    <message>
        <source>Refused: another folder bears this name</source>
        <translation>Rechazado: otra carpeta lleva este nombre</translation>
    </message>
    <message>
        <source>No files added.</source>
        <translation>No se ha añadido ninguna carpeta.</translation>
    </message>
    <message>
        <source>You need to click Set New Name (Preview) first.</source>
        <translation>Primero tiene que hacer clic en «Establecer nombre nuevo (vista previa)».</translation>
    </message>
    <message numerus="yes">
        <source>%n more folders could not be renamed:</source>
        <translation>
            <numerusform>No se pudo cambiar el nombre de %n carpeta más:</numerusform>
            <numerusform>No se pudo cambiar el nombre de %n carpetas más:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>y %n más.</numerusform>
            <numerusform>y %n más.</numerusform>
        </translation>
    </message>
    <message>
        <source>Don&apos;t show further errors of this run</source>
        <translation>No mostrar más errores en esta pasada</translation>
    </message>
    <message>
        <source>Undo Last Run</source>
        <translation>Deshacer el último cambio de nombres</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Each FOLDER is added to the list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Cambia a la vez las mayúsculas y minúsculas de muchos nombres de carpeta. Cada FOLDER se añade a la lista como lo hace «Añadir carpetas».</translation>
    </message>
    <message>
        <source>A folder to add to the list.</source>
        <translation>Una carpeta para añadir a la lista.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Pruebe «%1 --help» para más información.</translation>
    </message>
    <message>
        <source>Add Folder(s)</source>
        <translation>Añadir carpetas</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vaciar la lista</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Load Sample/Example Folders</source>
        <translation>Cargar carpetas de ejemplo</translation>
    </message>
    <message>
        <source>Start Renaming (Execute)</source>
        <translation>Empezar a renombrar (Ejecutar)</translation>
    </message>
    <message>
        <source>Case Option</source>
        <translation>Mayúsculas y minúsculas</translation>
    </message>
    <message>
        <source>Subfolder Option</source>
        <translation>Subcarpetas</translation>
    </message>
    <message>
        <source>Add subfolders when adding folders</source>
        <translation>Incluir las subcarpetas</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Imagen no válida</translation>
    </message>
    <message>
        <source>Questions? Please contact %1 at %2</source>
        <extracomment>The maker, then the address of its contact page.</extracomment>
        <translation>¿Preguntas? Póngase en contacto con %1 en %2</translation>
    </message>
    <message>
        <source>Path/File access error: the sample folders could not be copied to %1</source>
        <translation>Error de acceso a la ruta o al archivo: no se pudieron copiar las carpetas de ejemplo a %1</translation>
    </message>
    <message>
        <source>Would you like this software to open the folder where these sample files are stored (so that you can view them before working with them)?</source>
        <translation>¿Quiere abrir la carpeta donde se guardan estos ejemplos (para verlos antes de trabajar con ellos)?</translation>
    </message>
    <message>
        <source>The skin file is not a valid style sheet: %1</source>
        <translation>El archivo de apariencia no es una hoja de estilo válida: %1</translation>
    </message>
    <message>
        <source>%1, skipped: %2</source>
        <extracomment>Why a path was not added, then the path.</extracomment>
        <translation>%1, se omite: %2</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>no existe</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message numerus="yes">
        <source>%n of the paths Tarnwick was started with could not be added:</source>
        <translation>
            <numerusform>No se pudo añadir %n de las rutas con las que se inició Tarnwick:</numerusform>
            <numerusform>No se pudieron añadir %n de las rutas con las que se inició Tarnwick:</numerusform>
        </translation>
    </message>
    <message>
        <source>Left as it is: a folder above it is no longer the one listed</source>
        <translation>Se deja como está: una carpeta superior ya no es la de la lista</translation>
    </message>
    <message>
        <source>1 more folder could not be renamed:</source>
        <translation>No se pudo cambiar el nombre de 1 carpeta más:</translation>
    </message>
    <message>
        <source>--case needs an operation: upper, lower, proper or sentence</source>
        <translation>--case necesita una operación: upper, lower, proper o sentence</translation>
    </message>
    <message>
        <source>unknown operation &apos;%1&apos;: use upper, lower, proper or sentence</source>
        <translation>operación desconocida «%1»: use upper, lower, proper o sentence</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida «%1»</translation>
    </message>
    <message>
        <source>--case and --undo exclude each other</source>
        <translation>--case y --undo se excluyen</translation>
    </message>
    <message>
        <source>--undo takes no FOLDER</source>
        <translation>--undo no admite ninguna CARPETA</translation>
    </message>
    <message>
        <source>no operation: give --case upper, lower, proper or sentence, or --undo</source>
        <translation>ninguna operación: indique --case upper, lower, proper o sentence, o --undo</translation>
    </message>
    <message>
        <source>no FOLDER given</source>
        <translation>no se indicó ninguna CARPETA</translation>
    </message>
    <message>
        <source>&apos;-&apos; reads the folders from standard input and must be the only FOLDER</source>
        <translation>«-» lee las carpetas de la entrada estándar y debe ser la única CARPETA</translation>
    </message>
    <message>
        <source>record %1 of standard input:</source>
        <extracomment>Where a path came from: its record of standard input, numbered from 1.</extracomment>
        <translation>registro %1 de la entrada estándar:</translation>
    </message>
    <message>
        <source>%1 to rename, %2 unchanged, %3 refused; nothing renamed (add --apply to rename)</source>
        <translation>%1 por renombrar, %2 sin cambios, %3 rechazadas; no se renombró nada (añada --apply para renombrar)</translation>
    </message>
    <message>
        <source>%1 renamed, %2 unchanged, %3 not renamed</source>
        <translation>%1 renombradas, %2 sin cambios, %3 sin renombrar</translation>
    </message>
    <message>
        <source>Stopped: %1; %2 not reached keep their names</source>
        <translation>Detenido: %1; %2 no alcanzadas conservan su nombre</translation>
    </message>
    <message>
        <source>Stopped while adding folders; nothing was renamed</source>
        <translation>Detenido al añadir las carpetas; no se renombró nada</translation>
    </message>
    <message>
        <source>Stopped; nothing was renamed</source>
        <translation>Detenido; no se renombró nada</translation>
    </message>
    <message>
        <source>empty FOLDER</source>
        <translation>CARPETA vacía</translation>
    </message>
    <message>
        <source>not valid in the system&apos;s encoding: %1</source>
        <translation>no válido en la codificación del sistema: %1</translation>
    </message>
    <message>
        <source>no folder read from standard input</source>
        <translation>no se leyó ninguna carpeta de la entrada estándar</translation>
    </message>
    <message>
        <source>standard input holds no NUL: give the paths NUL-separated (find -print0)</source>
        <translation>la entrada estándar no contiene ningún NUL: separe las rutas con NUL (find -print0)</translation>
    </message>
    <message>
        <source>empty record %1 in standard input</source>
        <translation>registro %1 vacío en la entrada estándar</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Uso:</translation>
    </message>
    <message>
        <source>Changes the letter case of folder names in bulk. Without --case or --undo the window opens, each FOLDER added to its list as &quot;Add Folder(s)&quot; adds it.</source>
        <translation>Cambia las mayúsculas y minúsculas de muchos nombres de carpetas a la vez. Sin --case ni --undo se abre la ventana, y cada CARPETA se añade a su lista como lo hace «Añadir carpeta(s)».</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Changes each FOLDER&apos;s name, and those of the folders below it, to upper, lower, proper or sentence case. Without --apply it only prints the plan.</source>
        <translation>Cambia el nombre de cada CARPETA, y los de las carpetas que contiene, a upper (MAYÚSCULAS), lower (minúsculas), proper (Iniciales) o sentence (Oración). Sin --apply solo muestra el plan.</translation>
    </message>
    <message>
        <source>Takes the FOLDERs alone, not the folders below them.</source>
        <translation>Toma solo las CARPETAS, no las carpetas que contienen.</translation>
    </message>
    <message>
        <source>Renames. Without it nothing is renamed.</source>
        <translation>Renombra. Sin esta opción no se renombra nada.</translation>
    </message>
    <message>
        <source>One JSON object per line (path, newPath, status, reason) instead of text.</source>
        <translation>Un objeto JSON por línea (path, newPath, status, reason) en lugar de texto.</translation>
    </message>
    <message>
        <source>Gives the folders of the last recorded run their names back. Without --apply it only says what it would do.</source>
        <translation>Devuelve su nombre a las carpetas de la última ejecución registrada. Sin --apply solo dice lo que haría.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Muestra la versión.</translation>
    </message>
    <message>
        <source>A FOLDER &quot;-&quot; reads NUL-separated paths from standard input.</source>
        <translation>Una CARPETA «-» lee rutas separadas por NUL de la entrada estándar.</translation>
    </message>
    <message>
        <source>Exit status: 0 all renamed (or all can be), 1 some not, 2 bad usage or a FOLDER that is not a folder, 130 stopped by Ctrl+C.</source>
        <translation>Estado de salida: 0 todas renombradas (o todas renombrables), 1 algunas no, 2 uso incorrecto o una CARPETA que no es una carpeta, 130 detenido con Ctrl+C.</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Ejemplos:</translation>
    </message>
    <message>
        <source>Opens the window with ~/Music and its subfolders.</source>
        <translation>Abre la ventana con ~/Music y sus subcarpetas.</translation>
    </message>
    <message>
        <source>Prints what lower case would rename; renames nothing.</source>
        <translation>Muestra lo que minúsculas renombraría; no renombra nada.</translation>
    </message>
    <message>
        <source>Renames ~/Music and every folder below it to Proper Case.</source>
        <translation>Renombra ~/Music y cada carpeta que contiene a Iniciales en mayúscula.</translation>
    </message>
    <message>
        <source>Renames the folders find names, and no others.</source>
        <translation>Renombra las carpetas que nombra find, y ninguna otra.</translation>
    </message>
    <message>
        <source>Gives the folders of the last run their names back.</source>
        <translation>Devuelve su nombre a las carpetas de la última ejecución.</translation>
    </message>
    <message>
        <source>%1 (see tarnwick --help)</source>
        <extracomment>A command line refused, and where to read how it goes.</extracomment>
        <translation>%1 (vea tarnwick --help)</translation>
    </message>
    <message>
        <source>%1 folders to give their names back; nothing renamed (add --apply to undo)</source>
        <translation>%1 carpetas a las que devolver su nombre; no se renombró nada (añada --apply para deshacer)</translation>
    </message>
    <message>
        <source>%1 given their names back, %2 not</source>
        <translation>%1 recuperaron su nombre, %2 no</translation>
    </message>
    <message>
        <source>no recorded run to undo</source>
        <translation>no hay ninguna ejecución registrada que deshacer</translation>
    </message>
    <message>
        <source>Folders renamed</source>
        <translation>Carpetas renombradas</translation>
    </message>
    <message>
        <source>Folders checked</source>
        <translation>Carpetas comprobadas</translation>
    </message>
    <message>
        <source>Folders looked through</source>
        <translation>Carpetas recorridas</translation>
    </message>
    <message>
        <source>renaming %1 of %2</source>
        <translation>renombrando %1 de %2</translation>
    </message>
    <message>
        <source>undoing %1 of %2</source>
        <translation>deshaciendo %1 de %2</translation>
    </message>
    <message>
        <source>adding: %1 folders found</source>
        <translation>añadiendo: %1 carpetas encontradas</translation>
    </message>
    <message>
        <source>stopped: %1 renamed, %2 not renamed</source>
        <translation>detenido: %1 renombradas, %2 sin renombrar</translation>
    </message>
    <message>
        <source>Renaming folders</source>
        <translation>Renombrando carpetas</translation>
    </message>
    <message>
        <source>Undoing the last run</source>
        <translation>Deshaciendo la última ejecución</translation>
    </message>
    <message>
        <source>it is not a run record of this program</source>
        <translation>no es un registro de ejecución de este programa</translation>
    </message>
    <message>
        <source>it was written in format %1, which this version does not read</source>
        <translation>se escribió en el formato %1, que esta versión no lee</translation>
    </message>
    <message>
        <source>its beginning is damaged</source>
        <translation>su comienzo está dañado</translation>
    </message>
    <message>
        <source>it is cut short</source>
        <translation>está incompleto</translation>
    </message>
    <message>
        <source>A run record that cannot be read was kept aside, untouched, as %1: %2</source>
        <translation>Un registro de ejecución que no se puede leer se ha apartado, intacto, como %1: %2</translation>
    </message>
    <message>
        <source>Finish Run</source>
        <translation>Terminar la ejecución</translation>
    </message>
    <message>
        <source>Take Back</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>The last run was interrupted before it ended: %1 of its %2 folders do not bear their new names yet, %3 of them are under a temporary name.

Finish Run gives every folder its new name. Take Back gives every folder the name it had before the run. Later leaves them as they are and asks again at the next start.</source>
        <translation>La última ejecución se interrumpió antes de terminar: %1 de sus %2 carpetas aún no llevan su nombre nuevo, %3 de ellas tienen un nombre provisional.

Terminar la ejecución da a cada carpeta su nombre nuevo. Deshacer devuelve a cada carpeta el nombre que tenía antes de la ejecución. Más tarde las deja como están y vuelve a preguntar en el próximo inicio.</translation>
    </message>
    <message>
        <source>Folders of the interrupted run left as they are:</source>
        <translation>Carpetas de la ejecución interrumpida que se dejaron como estaban:</translation>
    </message>
    <message>
        <source>Left as it is: it is not the folder the run renamed, or another program has renamed it since</source>
        <translation>Se dejó como estaba: no es la carpeta que renombró la ejecución, u otro programa la ha renombrado desde entonces</translation>
    </message>
    <message>
        <source>The run cannot be recorded: %1. Rename anyway without a way to undo it after closing?</source>
        <translation>No se puede registrar la ejecución: %1. ¿Renombrar de todos modos sin poder deshacerlo después de cerrar?</translation>
    </message>
    <message>
        <source>Folders given their names back</source>
        <translation>Carpetas que recuperaron su nombre</translation>
    </message>
    <message>
        <source>Adding folders</source>
        <translation>Añadiendo carpetas</translation>
    </message>
    <message>
        <source>%1 renamed, %2 not renamed</source>
        <translation>%1 renombradas, %2 sin renombrar</translation>
    </message>
    <message>
        <source>--recover needs how to settle the interrupted run: finish or take-back</source>
        <translation>--recover necesita cómo resolver la ejecución interrumpida: finish o take-back</translation>
    </message>
    <message>
        <source>Settles a run that was interrupted (a crash, a pulled disk) before anything else: finish gives each of its folders its new name, take-back the name it had. Without it a terminal is asked, and a script is told on standard error and nothing is changed.</source>
        <translation>Resuelve antes que nada una ejecución interrumpida (un fallo, un disco extraído): finish da a cada una de sus carpetas su nombre nuevo, take-back el nombre que tenía. Sin esta opción se pregunta en el terminal; un script recibe un aviso en la salida de error estándar y no se cambia nada.</translation>
    </message>
    <message>
        <source>%1 Nothing was changed; settle it with tarnwick --recover finish or tarnwick --recover take-back.</source>
        <translation>%1 No se ha cambiado nada; resuélvala con tarnwick --recover finish o tarnwick --recover take-back.</translation>
    </message>
    <message>
        <source>%1, %2 or %3? [f/t/L] </source>
        <translation>¿%1, %2 o %3? [f/t/L] </translation>
    </message>
    <message>
        <source>Interrupted runs settled: %1; folders renamed: %2, left as they are: %3</source>
        <translation>Ejecuciones interrumpidas resueltas: %1; carpetas renombradas: %2, dejadas como estaban: %3</translation>
    </message>
</context>
</TS>
