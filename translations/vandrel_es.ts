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
    <name>vandrel::DetailsPage</name>
    <message>
        <source>Enter the name of your theme:</source>
        <translation>Escriba el nombre de su tema:</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Escriba su nombre:</translation>
    </message>
    <message>
        <source>Enter your e-mail address or your website:</source>
        <translation>Escriba su dirección de correo electrónico o su sitio web:</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Haga clic en Siguiente para continuar.</translation>
    </message>
</context>
<context>
    <name>vandrel::PicturePage</name>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>GIF picture (*.gif)</source>
        <translation>Imagen GIF (*.gif)</translation>
    </message>
    <message>
        <source>JPEG picture (*.jpg)</source>
        <translation>Imagen JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>If you wish to use the same image for the trail, click &quot;Choose Global Image&quot;. If not, you can choose individual pictures.</source>
        <translation>Si desea usar la misma imagen para toda la estela, haga clic en «Elegir imagen común». Si no, puede elegir imágenes individuales.</translation>
    </message>
    <message>
        <source>Choose &amp;global image...</source>
        <translation>Elegir imagen &amp;común...</translation>
    </message>
    <message>
        <source>Picture &amp;%1...</source>
        <translation>Imagen &amp;%1...</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Sin imagen</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Haga clic en Siguiente para continuar.</translation>
    </message>
    <message>
        <source>The picture you selected is too large. Please choose a smaller picture.</source>
        <translation>La imagen seleccionada es demasiado grande. Elija una imagen más pequeña.</translation>
    </message>
    <message>
        <source>The picture you selected is damaged or unreadable. The program will now quit.</source>
        <translation>La imagen seleccionada está dañada o no se puede leer. El programa se cerrará ahora.</translation>
    </message>
</context>
<context>
    <name>vandrel::SuccessPage</name>
    <message>
        <source>Success!</source>
        <translation>¡Listo!</translation>
    </message>
    <message>
        <source>The Vandrel built your theme.</source>
        <translation>El Vandrel ha creado su tema.</translation>
    </message>
    <message>
        <source>Press &quot;Quit&quot; to complete the wizard.</source>
        <translation>Pulse «Salir» para completar el asistente.</translation>
    </message>
    <message>
        <source>If you wish to distribute your theme, we can put it on our Theme Gallery for free!</source>
        <translation>¡Si desea distribuir su tema, podemos publicarlo gratis en nuestra galería de temas!</translation>
    </message>
    <message>
        <source>Add theme to Theme Gallery</source>
        <translation>Añadir el tema a la galería de temas</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>vandrel::Wizard</name>
    <message>
        <source>Vandrel - Critical Error</source>
        <translation>Vandrel - Error grave</translation>
    </message>
    <message>
        <source>The Vandrel couldn&apos;t launch a library. The Vandrel is damaged, please reinstall a copy. The program will now quit.</source>
        <translation>El Vandrel no pudo cargar una biblioteca. El Vandrel está dañado; vuelva a instalarlo. El programa se cerrará ahora.</translation>
    </message>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Tema de Zorrit (*.thm)</translation>
    </message>
    <message>
        <source>Vandrel - Error</source>
        <translation>Vandrel - Error</translation>
    </message>
    <message>
        <source>Sorry, but the theme couldn&apos;t be created. Please check that you have enough space on your hard disk.</source>
        <translation>Lo sentimos, no se pudo crear el tema. Compruebe que tiene suficiente espacio en el disco duro.</translation>
    </message>
</context>
<context>
    <name>vandrel::WizardPage</name>
    <message>
        <source>Welcome to the Vandrel wizard!</source>
        <translation>¡Bienvenido al asistente Vandrel!</translation>
    </message>
    <message>
        <source>Welcome to the Vandrel! The Vandrel allows you to build Zorrit themes easily and fast.</source>
        <translation>¡Bienvenido al Vandrel! El Vandrel le permite crear temas de Zorrit de forma fácil y rápida.</translation>
    </message>
    <message>
        <source>To build your mouse trail, you can have up to 5 pictures. Pictures must not exceed 20x20 in size and must be Bitmap, GIF or JPEG pictures.</source>
        <translation>Para crear su estela del ratón puede usar hasta 5 imágenes. Las imágenes no deben superar 20x20 y deben ser imágenes Bitmap, GIF o JPEG.</translation>
    </message>
    <message>
        <source>It is better to choose GIF because it is the only format supporting transparency.</source>
        <translation>Es mejor elegir GIF porque es el único formato que admite transparencia.</translation>
    </message>
    <message>
        <source>Once you have all your pictures ready, click &apos;Next&apos;.</source>
        <translation>Cuando tenga listas todas sus imágenes, haga clic en «Siguiente».</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Haga clic en Siguiente para continuar.</translation>
    </message>
    <message>
        <source>Now that you have all your pictures, create a folder, and place all your pictures in it.</source>
        <translation>Ahora que tiene todas sus imágenes, cree una carpeta y coloque en ella todas sus imágenes.</translation>
    </message>
    <message>
        <source>To create a folder, right-click a blank space on the desktop, point to &quot;New&quot; and click &quot;Folder&quot;. You can choose any name for the folder and pictures. </source>
        <translation>Para crear una carpeta, haga clic con el botón derecho en un espacio libre del escritorio, señale «Nuevo» y haga clic en «Carpeta». Puede elegir cualquier nombre para la carpeta y las imágenes. </translation>
    </message>
    <message>
        <source>Once your folder is created and your pictures are inside, click &apos;Next&apos;.</source>
        <translation>Cuando haya creado la carpeta y sus imágenes estén dentro, haga clic en «Siguiente».</translation>
    </message>
    <message>
        <source>Congratulations, your theme is ready to be built!</source>
        <translation>¡Enhorabuena, su tema está listo para crearse!</translation>
    </message>
    <message>
        <source>Click &apos;Finish&apos; to build your theme: the Vandrel will ask you where you want to save it.</source>
        <translation>Haga clic en «Finalizar» para crear su tema: el Vandrel le preguntará dónde desea guardarlo.</translation>
    </message>
    <message>
        <source>                      you must save the theme in the folder where you placed the theme&apos;s images.</source>
        <translation>                      debe guardar el tema en la carpeta donde colocó las imágenes del tema.</translation>
    </message>
    <message>
        <source>Important:</source>
        <translation>Importante:</translation>
    </message>
    <message>
        <source>Click Finish to continue.</source>
        <translation>Haga clic en Finalizar para continuar.</translation>
    </message>
    <message>
        <source>&amp;Finish &gt;</source>
        <translation>&amp;Finalizar &gt;</translation>
    </message>
    <message>
        <source>Wizard - Vandrel</source>
        <translation>Asistente - Vandrel</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Versión </translation>
    </message>
    <message>
        <source>Vandrel wizard</source>
        <translation>Asistente Vandrel</translation>
    </message>
    <message>
        <source>Step %1 out of 5</source>
        <translation>Paso %1 de 5</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Siguiente &gt;</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
</TS>
