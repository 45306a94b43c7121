<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Confirmar Guardar como</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ya existe.
¿Desea reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>platform::ChooserDialog</name>
    <message>
        <source>The file name is too long:
%1</source>
        <translation>El nombre del archivo es demasiado largo:
%1</translation>
    </message>
</context>
<context>
    <name>zorrit</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Error grave</translation>
    </message>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Error</translation>
    </message>
    <message>
        <source>zorrit: no X display (DISPLAY is not set); Zorrit needs an X11 session.
</source>
        <translation>zorrit: no hay pantalla X (DISPLAY no está definida); Zorrit necesita una sesión X11.
</translation>
    </message>
    <message>
        <source>zorrit: cannot connect to the X display &quot;%1&quot;.
</source>
        <translation>zorrit: no se puede conectar con la pantalla X «%1».
</translation>
    </message>
    <message>
        <source>zorrit: this Wayland desktop has no layer shell and there is no X display, so Zorrit cannot show the trail.
</source>
        <translation>zorrit: este escritorio Wayland no tiene «layer shell» y no hay pantalla X, así que Zorrit no puede mostrar la estela.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection, so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit: el compositor cerró la conexión Wayland de Zorrit, así que la estela no se muestra hasta que Zorrit vuelva a iniciarse.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection (it said: %1), so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit: el compositor cerró la conexión Wayland de Zorrit (dijo: %1), así que la estela no se muestra hasta que Zorrit vuelva a iniciarse.
</translation>
    </message>
</context>
<context>
    <name>zorrit::app::ZorritApp</name>
    <message>
        <source>Zorrit is not running.
</source>
        <translation>Zorrit no se está ejecutando.
</translation>
    </message>
    <message>
        <source>zorrit: the running Zorrit did not answer.
</source>
        <translation>zorrit: el Zorrit en ejecución no ha respondido.
</translation>
    </message>
    <message>
        <source>zorrit: waiting for the running Zorrit to hand over.
</source>
        <translation>zorrit: esperando a que el Zorrit en ejecución ceda el paso.
</translation>
    </message>
    <message>
        <source>Zorrit cannot make its lock file, so it cannot tell whether another copy is running. Make sure that %1 is a folder of yours that only you can use, then try again.</source>
        <translation>Zorrit no puede crear su archivo de bloqueo, así que no puede saber si ya se está ejecutando otra copia. Asegúrese de que %1 es una carpeta suya que solo usted puede usar y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>$XDG_RUNTIME_DIR (or ~/.cache)</source>
        <translation>$XDG_RUNTIME_DIR (o ~/.cache)</translation>
    </message>
    <message>
        <source>Zorrit is already running. You cannot launch more than one copy at a time.</source>
        <translation>Zorrit ya se está ejecutando. No puede iniciar más de una copia a la vez.</translation>
    </message>
    <message>
        <source>The theme you have selected wasn&apos;t found. Zorrit will use the built-in theme instead.</source>
        <translation>No se ha encontrado el tema que ha elegido. Zorrit usará el tema integrado en su lugar.</translation>
    </message>
</context>
<context>
    <name>zorrit::instance</name>
    <message>
        <source>Usage: zorrit [THEME-FILE]
       zorrit --preferences | --quit | --help | --version

A trail of five little pictures that follows the mouse pointer.

  THEME-FILE      use this theme (a copy already running hands over to this one)
  --preferences   open the preferences of the running Zorrit; with none running,
                  start Zorrit and open them
  --quit          end the running Zorrit
  --help          show this help
  --version       show the version

An option counts only as the whole command line; anything else is a theme file&apos;s path.
</source>
        <translation>Uso: zorrit [ARCHIVO-DE-TEMA]
     zorrit --preferences | --quit | --help | --version

Una estela de cinco pequeñas imágenes que sigue al puntero del ratón.

  ARCHIVO-DE-TEMA usar este tema (una copia que ya esté en ejecución le cede el paso)
  --preferences   abrir las preferencias del Zorrit en ejecución; si no hay ninguno,
                  iniciar Zorrit y abrirlas
  --quit          terminar el Zorrit en ejecución
  --help          mostrar esta ayuda
  --version       mostrar la versión

Una opción solo cuenta si es toda la línea de órdenes; cualquier otra cosa es la ruta de un archivo de tema.
</translation>
    </message>
</context>
<context>
    <name>zorrit::integration</name>
    <message>
        <source>zorrit: %1 is not a regular file of a sensible size; the theme file association leaves it alone.
</source>
        <translation>zorrit: %1 no es un archivo normal de tamaño razonable; la asociación de los archivos de tema no lo toca.
</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::BusPointerSource</name>
    <message>
        <source>no session bus</source>
        <translation>no hay bus de sesión</translation>
    </message>
    <message>
        <source>cannot serve %1</source>
        <translation>no se puede servir %1</translation>
    </message>
    <message>
        <source>the bus refused the name %1</source>
        <translation>el bus ha rechazado el nombre %1</translation>
    </message>
    <message>
        <source>another program holds the bus name %1; until it lets go, the trail follows the pointer only over X11 windows.</source>
        <translation>otro programa tiene el nombre de bus %1; hasta que lo suelte, la estela solo sigue al puntero sobre las ventanas X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::GnomePointerSource</name>
    <message>
        <source>GNOME Shell went away</source>
        <translation>GNOME Shell ha desaparecido</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension was turned off</source>
        <translation>la extensión de GNOME Shell de Zorrit se ha desactivado</translation>
    </message>
    <message>
        <source>GNOME Shell cannot report the pointer to us (%1).</source>
        <translation>GNOME Shell no puede comunicarnos el puntero (%1).</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not installed</source>
        <translation>la extensión de GNOME Shell de Zorrit no está instalada</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not made for this version of GNOME Shell</source>
        <translation>la extensión de GNOME Shell de Zorrit no está hecha para esta versión de GNOME Shell</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension failed (%1)</source>
        <translation>la extensión de GNOME Shell de Zorrit ha fallado (%1)</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::KWinPointerSource</name>
    <message>
        <source>KWin went away</source>
        <translation>KWin ha desaparecido</translation>
    </message>
    <message>
        <source>another program took the bus name %1</source>
        <translation>otro programa ha tomado el nombre de bus %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>no se puede escribir %1</translation>
    </message>
    <message>
        <source>KWin refused the script</source>
        <translation>KWin ha rechazado el script</translation>
    </message>
    <message>
        <source>KWin did not answer: %1</source>
        <translation>KWin no ha respondido: %1</translation>
    </message>
    <message>
        <source>KWin did not start the script: %1</source>
        <translation>KWin no ha iniciado el script: %1</translation>
    </message>
    <message>
        <source>KWin does not report the pointer to us (%1), so the trail follows it only over X11 windows.</source>
        <translation>KWin no nos comunica el puntero (%1), así que la estela solo lo sigue sobre las ventanas X11.</translation>
    </message>
    <message>
        <source>KWin stopped reporting the pointer (%1)</source>
        <translation>KWin ha dejado de comunicar el puntero (%1)</translation>
    </message>
    <message>
        <source>Zorrit&apos;s script was unloaded, and loading it again failed: %1</source>
        <translation>el script de Zorrit se descargó y volver a cargarlo falló: %1</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::PointerChoice</name>
    <message>
        <source>This desktop does not tell other programs where the pointer is, so the trail follows it only over X11 windows.</source>
        <translation>Este escritorio no indica a otros programas dónde está el puntero, así que la estela solo lo sigue sobre las ventanas X11.</translation>
    </message>
    <message>
        <source>To let the trail follow the pointer over every window, enable Zorrit&apos;s GNOME Shell extension:

    gnome-extensions enable %1

then log out and in again.</source>
        <translation>Para que la estela siga al puntero sobre todas las ventanas, active la extensión de GNOME Shell de Zorrit:

    gnome-extensions enable %1

y luego cierre la sesión y vuelva a entrar.</translation>
    </message>
    <message>
        <source>%1, so the trail follows the pointer only over X11 windows.</source>
        <translation>%1, así que la estela solo sigue al puntero sobre las ventanas X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::WlrootsPointerSource</name>
    <message>
        <source>The compositor cannot tell us where the pointer is (%1).</source>
        <translation>El compositor no puede decirnos dónde está el puntero (%1).</translation>
    </message>
    <message>
        <source>The compositor went away</source>
        <translation>El compositor ha desaparecido</translation>
    </message>
    <message>
        <source>The compositor refused the cursor sessions (it said: %1)</source>
        <translation>El compositor ha rechazado las sesiones de cursor (dijo: %1)</translation>
    </message>
    <message>
        <source>the compositor offers no cursor sessions</source>
        <translation>el compositor no ofrece sesiones de cursor</translation>
    </message>
    <message>
        <source>This desktop draws the pointer itself and does not tell other programs where it is, so the trail follows it only over X11 windows.</source>
        <translation>Este escritorio dibuja el puntero por sí mismo y no indica a otros programas dónde está, así que la estela solo lo sigue sobre ventanas X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::Autostart</name>
    <message>
        <source>Starts the mouse trail when you log in</source>
        <translation>Inicia la estela del ratón al iniciar la sesión</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsDialog</name>
    <message>
        <source>Zorrit Preferences</source>
        <translation>Preferencias de Zorrit</translation>
    </message>
    <message>
        <source>&amp;General</source>
        <translation>&amp;General</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>S&amp;haring</source>
        <translation>&amp;Compartir</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Acerca &amp;de...</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>A&amp;yuda...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Themes</source>
        <translation>Temas</translation>
    </message>
    <message>
        <source>Current theme:</source>
        <translation>Tema actual:</translation>
    </message>
    <message>
        <source>&amp;Load theme...</source>
        <translation>&amp;Cargar tema...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Usar el tema incorporado</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Dibujo</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Encima</translation>
    </message>
    <message>
        <source>On desktop</source>
        <translation>En el escritorio</translation>
    </message>
    <message>
        <source>Create Custom Themes</source>
        <translation>Crear temas propios</translation>
    </message>
    <message>
        <source>Launch the &amp;Rezor Edividu</source>
        <translation>Iniciar el &amp;Rezor Edividu</translation>
    </message>
    <message>
        <source>Start Zorrit when I log in</source>
        <translation>Iniciar Zorrit al iniciar sesión</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Choose the position of the mouse trail:</source>
        <translation>Elija la posición de la estela del ratón:</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Arriba a la izquierda</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Arriba a la derecha</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Abajo a la izquierda</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Abajo a la derecha</translation>
    </message>
    <message>
        <source>Wobble mouse trail</source>
        <translation>Estela ondulante</translation>
    </message>
    <message>
        <source>Fast move</source>
        <translation>Movimiento rápido</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Más</translation>
    </message>
    <message>
        <source>Translucid trail</source>
        <translation>Estela translúcida</translation>
    </message>
    <message>
        <source>Visibility:</source>
        <translation>Visibilidad:</translation>
    </message>
    <message>
        <source>Download New Themes</source>
        <translation>Descargar temas nuevos</translation>
    </message>
    <message>
        <source>You can download on our website hundreds of Zorrit themes! </source>
        <translation>¡En nuestro sitio web puede descargar cientos de temas de Zorrit! </translation>
    </message>
    <message>
        <source>To do so, visit our Theme Gallery:</source>
        <translation>Para ello, visite nuestra galería de temas:</translation>
    </message>
    <message>
        <source>Upload Your Own Themes</source>
        <translation>Suba sus propios temas</translation>
    </message>
    <message>
        <source>You can distribute on the Internet your own themes on our Theme Gallery!</source>
        <translation>¡Puede difundir sus propios temas en Internet a través de nuestra galería de temas!</translation>
    </message>
    <message>
        <source>Just click the following link to upload your own theme:</source>
        <translation>Haga clic en el siguiente enlace para subir su propio tema:</translation>
    </message>
    <message>
        <source>Hide the trail over full-screen programs</source>
        <translation>Ocultar la estela sobre los programas a pantalla completa</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Tema de Zorrit (*.thm)</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t launch a shared library. Zorrit is damaged, please reinstall a copy.</source>
        <translation>Zorrit no pudo cargar una biblioteca compartida. Zorrit está dañado; vuelva a instalarlo.</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t change the programs that start when you log in. Please check that you may write to %1.</source>
        <translation>Zorrit no pudo cambiar los programas que se inician al iniciar sesión. Compruebe que puede escribir en %1.</translation>
    </message>
    <message>
        <source>The theme you have selected is damaged or some files are missing. Please install it again.</source>
        <translation>El tema seleccionado está dañado o le faltan archivos. Vuelva a instalarlo.</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsWindow</name>
    <message>
        <source>Sorry, but the Vandrel wasn&apos;t found. Reinstall a fresh copy of Zorrit.</source>
        <translation>Lo sentimos, no se encontró el Vandrel. Vuelva a instalar Zorrit.</translation>
    </message>
</context>
<context>
    <name>zorrit::settings::SettingsStore</name>
    <message>
        <source>zorrit: %1 is not a regular file; running on the default settings and saving nothing until it is moved away.
</source>
        <translation>zorrit: %1 no es un archivo normal; Zorrit funciona con la configuración predeterminada y no guarda nada hasta que se quite.
</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::AboutBox</name>
    <message>
        <source>About Zorrit</source>
        <translation>Acerca de Zorrit</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Versión </translation>
    </message>
    <message>
        <source> - Build </source>
        <translation> - Compilación </translation>
    </message>
    <message>
        <source>For updates, news and other great utilities, visit:</source>
        <translation>Para actualizaciones, noticias y otras utilidades estupendas, visite:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Check for updates...</source>
        <translation>&amp;Buscar actualizaciones...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::LoadingWindow</name>
    <message>
        <source>Loading, please wait...</source>
        <translation>Cargando, espere...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::ThemeNotFoundDialog</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>The theme you have selected isn&apos;t found. Zorrit will use the built-in theme instead.</source>
        <translation>No se encuentra el tema que ha elegido. Zorrit usará el tema integrado en su lugar.</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::TrayWindow</name>
    <message>
        <source>&amp;Zorrit Preferences...</source>
        <translation>&amp;Preferencias de Zorrit...</translation>
    </message>
    <message>
        <source>&amp;Download new themes...</source>
        <translation>&amp;Descargar temas nuevos...</translation>
    </message>
    <message>
        <source>&amp;Load Theme...</source>
        <translation>&amp;Cargar tema...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Usar el tema incorporado</translation>
    </message>
    <message>
        <source>Zorrit &amp;On</source>
        <translation>&amp;Activar Zorrit</translation>
    </message>
    <message>
        <source>Zorrit O&amp;ff</source>
        <translation>D&amp;esactivar Zorrit</translation>
    </message>
    <message>
        <source>A&amp;bout Zorrit...</source>
        <translation>Acerca de &amp;Zorrit...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>zorrit: no system tray found after a minute; Zorrit runs on without its tray icon. Open its preferences with &quot;zorrit --preferences&quot; and end it with &quot;zorrit --quit&quot;.
</source>
        <translation>zorrit: no se ha encontrado ninguna bandeja del sistema tras un minuto; Zorrit sigue sin su icono. Abra sus preferencias con «zorrit --preferences» y termínelo con «zorrit --quit».
</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::WelcomeWindow</name>
    <message>
        <source>Welcome Wizard</source>
        <translation>Asistente de bienvenida</translation>
    </message>
    <message>
        <source>It&apos;s the first time Zorrit is launched on your computer. This window won&apos;t appear anymore.</source>
        <translation>Es la primera vez que Zorrit se inicia en su ordenador. Esta ventana no volverá a aparecer.</translation>
    </message>
    <message>
        <source>Zorrit uses very little CPU and will not slow down your computer.</source>
        <translation>Zorrit usa muy poca CPU y no ralentizará su ordenador.</translation>
    </message>
    <message>
        <source>We hope you enjoy Zorrit!</source>
        <translation>¡Esperamos que disfrute de Zorrit!</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Zorrit will add a mouse trail to your mouse. You can change the mouse trail, download new mouse trails via the Internet and even make your own mouse trails!</source>
        <translation>Zorrit añade una estela a su ratón. Puede cambiar la estela, descargar estelas nuevas de Internet e incluso crear sus propias estelas.</translation>
    </message>
    <message>
        <source>     To configure Zorrit, change the current mouse trail or deactivate it temporarily, simply right-click Zorrit&apos;s icon, located on the system tray (near the clock). The icon will appear once you&apos;ll close this window.</source>
        <translation>     Para configurar Zorrit, cambiar la estela actual o desactivarla temporalmente, simplemente haga clic con el botón derecho en el icono de Zorrit, situado en la bandeja del sistema (junto al reloj). El icono aparecerá en cuanto cierre esta ventana.</translation>
    </message>
</context>
<context>
    <name>zorrit::trail::Translucency</name>
    <message>
        <source>Sorry, but the translucid trail only works with a compositing window manager.</source>
        <translation>Lo sentimos, pero la estela translúcida solo funciona con un gestor de ventanas con composición.</translation>
    </message>
</context>
<context>
    <name>zorrit::update::ResultDialog</name>
    <message>
        <source>Update available</source>
        <translation>Actualización disponible</translation>
    </message>
    <message>
        <source>An update for Zorrit was found!</source>
        <translation>¡Se ha encontrado una actualización de Zorrit!</translation>
    </message>
    <message>
        <source>Already updated</source>
        <translation>Ya actualizado</translation>
    </message>
    <message>
        <source>You already have the most recent version of Zorrit on your system!</source>
        <translation>¡Ya tiene la versión más reciente de Zorrit en su sistema!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>An error occurred while checking for updates. Make sure you are on the Internet, then try again.</source>
        <translation>Se ha producido un error al buscar actualizaciones. Asegúrese de que está conectado a Internet y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>The latest available version is %1. You currently have %2.</source>
        <translation>La última versión disponible es la %1. Usted tiene actualmente la %2.</translation>
    </message>
    <message>
        <source>Download update</source>
        <translation>Descargar la actualización</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Versión: %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>zorrit::update::UpdateCheckWindow</name>
    <message>
        <source>Checking...</source>
        <translation>Comprobando...</translation>
    </message>
    <message>
        <source>Time remaining: About 5 seconds</source>
        <translation>Tiempo restante: unos 5 segundos</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Espere, por favor...</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Buscando actualizaciones...</translation>
    </message>
    <message>
        <source>Connecting... </source>
        <translation>Conectando... </translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Could not connect.</source>
        <translation>No se pudo conectar.</translation>
    </message>
    <message>
        <source>Comparing...</source>
        <translation>Comparando...</translation>
    </message>
    <message>
        <source>Waiting response...</source>
        <translation>Esperando respuesta...</translation>
    </message>
</context>
</TS>
