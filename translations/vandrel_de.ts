<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Speichern unter bestätigen</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>platform::ChooserDialog</name>
    <message>
        <source>The file name is too long:
%1</source>
        <translation>Der Dateiname ist zu lang:
%1</translation>
    </message>
</context>
<context>
    <name>vandrel::DetailsPage</name>
    <message>
        <source>Enter the name of your theme:</source>
        <translation>Geben Sie den Namen Ihres Themas ein:</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Geben Sie Ihren Namen ein:</translation>
    </message>
    <message>
        <source>Enter your e-mail address or your website:</source>
        <translation>Geben Sie Ihre E-Mail-Adresse oder Website ein:</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Klicken Sie auf Weiter, um fortzufahren.</translation>
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
        <translation>GIF-Bild (*.gif)</translation>
    </message>
    <message>
        <source>JPEG picture (*.jpg)</source>
        <translation>JPEG-Bild (*.jpg)</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>If you wish to use the same image for the trail, click &quot;Choose Global Image&quot;. If not, you can choose individual pictures.</source>
        <translation>Wenn Sie für die ganze Spur dasselbe Bild verwenden möchten, klicken Sie auf „Gemeinsames Bild wählen“. Andernfalls können Sie einzelne Bilder wählen.</translation>
    </message>
    <message>
        <source>Choose &amp;global image...</source>
        <translation>&amp;Gemeinsames Bild wählen...</translation>
    </message>
    <message>
        <source>Picture &amp;%1...</source>
        <translation>Bild &amp;%1...</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Kein Bild</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Klicken Sie auf Weiter, um fortzufahren.</translation>
    </message>
    <message>
        <source>The picture you selected is too large. Please choose a smaller picture.</source>
        <translation>Das gewählte Bild ist zu groß. Bitte wählen Sie ein kleineres Bild.</translation>
    </message>
    <message>
        <source>The picture you selected is damaged or unreadable. The program will now quit.</source>
        <translation>Das gewählte Bild ist beschädigt oder unlesbar. Das Programm wird jetzt beendet.</translation>
    </message>
</context>
<context>
    <name>vandrel::SuccessPage</name>
    <message>
        <source>Success!</source>
        <translation>Geschafft!</translation>
    </message>
    <message>
        <source>The Vandrel built your theme.</source>
        <translation>Der Vandrel hat Ihr Thema erstellt.</translation>
    </message>
    <message>
        <source>Press &quot;Quit&quot; to complete the wizard.</source>
        <translation>Klicken Sie auf „Beenden“, um den Assistenten abzuschließen.</translation>
    </message>
    <message>
        <source>If you wish to distribute your theme, we can put it on our Theme Gallery for free!</source>
        <translation>Wenn Sie Ihr Thema weitergeben möchten, stellen wir es kostenlos in unsere Themengalerie!</translation>
    </message>
    <message>
        <source>Add theme to Theme Gallery</source>
        <translation>Thema zur Themengalerie hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>vandrel::Wizard</name>
    <message>
        <source>Vandrel - Critical Error</source>
        <translation>Vandrel - Schwerer Fehler</translation>
    </message>
    <message>
        <source>The Vandrel couldn&apos;t launch a library. The Vandrel is damaged, please reinstall a copy. The program will now quit.</source>
        <translation>Der Vandrel konnte eine Bibliothek nicht starten. Der Vandrel ist beschädigt, bitte installieren Sie ihn neu. Das Programm wird jetzt beendet.</translation>
    </message>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Zorrit-Thema (*.thm)</translation>
    </message>
    <message>
        <source>Vandrel - Error</source>
        <translation>Vandrel - Fehler</translation>
    </message>
    <message>
        <source>Sorry, but the theme couldn&apos;t be created. Please check that you have enough space on your hard disk.</source>
        <translation>Leider konnte das Thema nicht erstellt werden. Bitte prüfen Sie, ob auf Ihrer Festplatte genug Platz ist.</translation>
    </message>
</context>
<context>
    <name>vandrel::WizardPage</name>
    <message>
        <source>Welcome to the Vandrel wizard!</source>
        <translation>Willkommen beim Vandrel-Assistenten!</translation>
    </message>
    <message>
        <source>Welcome to the Vandrel! The Vandrel allows you to build Zorrit themes easily and fast.</source>
        <translation>Willkommen beim Vandrel! Mit dem Vandrel erstellen Sie Zorrit-Themen schnell und einfach.</translation>
    </message>
    <message>
        <source>To build your mouse trail, you can have up to 5 pictures. Pictures must not exceed 20x20 in size and must be Bitmap, GIF or JPEG pictures.</source>
        <translation>Für Ihre Mausspur können Sie bis zu 5 Bilder verwenden. Die Bilder dürfen nicht größer als 20x20 sein und müssen Bitmap-, GIF- oder JPEG-Bilder sein.</translation>
    </message>
    <message>
        <source>It is better to choose GIF because it is the only format supporting transparency.</source>
        <translation>Am besten wählen Sie GIF, denn nur dieses Format unterstützt Transparenz.</translation>
    </message>
    <message>
        <source>Once you have all your pictures ready, click &apos;Next&apos;.</source>
        <translation>Wenn alle Ihre Bilder bereit sind, klicken Sie auf „Weiter“.</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Klicken Sie auf Weiter, um fortzufahren.</translation>
    </message>
    <message>
        <source>Now that you have all your pictures, create a folder, and place all your pictures in it.</source>
        <translation>Nun, da Sie alle Ihre Bilder haben, erstellen Sie einen Ordner und legen Sie alle Bilder hinein.</translation>
    </message>
    <message>
        <source>To create a folder, right-click a blank space on the desktop, point to &quot;New&quot; and click &quot;Folder&quot;. You can choose any name for the folder and pictures. </source>
        <translation>Um einen Ordner zu erstellen, klicken Sie mit der rechten Maustaste auf eine freie Stelle des Schreibtischs, zeigen Sie auf „Neu“ und klicken Sie auf „Ordner“. Ordner und Bilder dürfen beliebig heißen. </translation>
    </message>
    <message>
        <source>Once your folder is created and your pictures are inside, click &apos;Next&apos;.</source>
        <translation>Wenn Ihr Ordner erstellt ist und Ihre Bilder darin liegen, klicken Sie auf „Weiter“.</translation>
    </message>
    <message>
        <source>Congratulations, your theme is ready to be built!</source>
        <translation>Glückwunsch, Ihr Thema kann jetzt erstellt werden!</translation>
    </message>
    <message>
        <source>Click &apos;Finish&apos; to build your theme: the Vandrel will ask you where you want to save it.</source>
        <translation>Klicken Sie auf „Fertig stellen“, um Ihr Thema zu erstellen: Der Vandrel fragt Sie, wo es gespeichert werden soll.</translation>
    </message>
    <message>
        <source>                      you must save the theme in the folder where you placed the theme&apos;s images.</source>
        <translation>                      Speichern Sie das Thema in dem Ordner, in dem die Bilder des Themas liegen.</translation>
    </message>
    <message>
        <source>Important:</source>
        <translation>Wichtig:</translation>
    </message>
    <message>
        <source>Click Finish to continue.</source>
        <translation>Klicken Sie auf Fertig stellen, um fortzufahren.</translation>
    </message>
    <message>
        <source>&amp;Finish &gt;</source>
        <translation>&amp;Fertig stellen &gt;</translation>
    </message>
    <message>
        <source>Wizard - Vandrel</source>
        <translation>Assistent - Vandrel</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Vandrel wizard</source>
        <translation>Vandrel-Assistent</translation>
    </message>
    <message>
        <source>Step %1 out of 5</source>
        <translation>Schritt %1 von 5</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Weiter &gt;</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
</TS>
