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
        <source>Bubbles</source>
        <translation>Bubbles</translation>
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
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Error grave</translation>
    </message>
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
    <message>
        <source>Bubbles</source>
        <translation>Bubbles</translation>
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
    <name>zorrit::shell::AhwellDialog</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::StandWindow</name>
    <message>
        <source>Loading, please wait...</source>
        <translation>Cargando, espere...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::Startup1Window</name>
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
</context>
<context>
    <name>zorrit</name>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Error</translation>
    </message>
</context>
</TS>
