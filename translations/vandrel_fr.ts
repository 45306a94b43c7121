<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Confirmer l&apos;enregistrement</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
</context>
<context>
    <name>platform::ChooserDialog</name>
    <message>
        <source>The file name is too long:
%1</source>
        <translation>Le nom du fichier est trop long :
%1</translation>
    </message>
</context>
<context>
    <name>vandrel::DetailsPage</name>
    <message>
        <source>Enter the name of your theme:</source>
        <translation>Saisissez le nom de votre thème :</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Saisissez votre nom :</translation>
    </message>
    <message>
        <source>Enter your e-mail address or your website:</source>
        <translation>Saisissez votre adresse électronique ou votre site web :</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Cliquez sur Suivant pour continuer.</translation>
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
        <translation>Image GIF (*.gif)</translation>
    </message>
    <message>
        <source>JPEG picture (*.jpg)</source>
        <translation>Image JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>If you wish to use the same image for the trail, click &quot;Choose Global Image&quot;. If not, you can choose individual pictures.</source>
        <translation>Pour utiliser la même image pour toute la traînée, cliquez sur « Choisir une image commune ». Sinon, vous pouvez choisir des images individuelles.</translation>
    </message>
    <message>
        <source>Choose &amp;global image...</source>
        <translation>Choisir une image &amp;commune...</translation>
    </message>
    <message>
        <source>Picture &amp;%1...</source>
        <translation>Image &amp;%1...</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Pas d&apos;image</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Cliquez sur Suivant pour continuer.</translation>
    </message>
    <message>
        <source>The picture you selected is too large. Please choose a smaller picture.</source>
        <translation>L&apos;image choisie est trop grande. Veuillez choisir une image plus petite.</translation>
    </message>
    <message>
        <source>The picture you selected is damaged or unreadable. The program will now quit.</source>
        <translation>L&apos;image choisie est endommagée ou illisible. Le programme va maintenant se fermer.</translation>
    </message>
</context>
<context>
    <name>vandrel::SuccessPage</name>
    <message>
        <source>Success!</source>
        <translation>Réussi !</translation>
    </message>
    <message>
        <source>The Vandrel built your theme.</source>
        <translation>Le Vandrel a créé votre thème.</translation>
    </message>
    <message>
        <source>Press &quot;Quit&quot; to complete the wizard.</source>
        <translation>Appuyez sur « Quitter » pour terminer l&apos;assistant.</translation>
    </message>
    <message>
        <source>If you wish to distribute your theme, we can put it on our Theme Gallery for free!</source>
        <translation>Si vous souhaitez diffuser votre thème, nous pouvons le publier gratuitement dans notre galerie de thèmes !</translation>
    </message>
    <message>
        <source>Add theme to Theme Gallery</source>
        <translation>Ajouter le thème à la galerie</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>vandrel::Wizard</name>
    <message>
        <source>Vandrel - Critical Error</source>
        <translation>Vandrel - Erreur critique</translation>
    </message>
    <message>
        <source>The Vandrel couldn&apos;t launch a library. The Vandrel is damaged, please reinstall a copy. The program will now quit.</source>
        <translation>Le Vandrel n&apos;a pas pu charger une bibliothèque. Le Vandrel est endommagé, veuillez le réinstaller. Le programme va maintenant se fermer.</translation>
    </message>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Thème Zorrit (*.thm)</translation>
    </message>
    <message>
        <source>Vandrel - Error</source>
        <translation>Vandrel - Erreur</translation>
    </message>
    <message>
        <source>Sorry, but the theme couldn&apos;t be created. Please check that you have enough space on your hard disk.</source>
        <translation>Désolé, le thème n&apos;a pas pu être créé. Vérifiez qu&apos;il reste assez d&apos;espace sur votre disque dur.</translation>
    </message>
</context>
<context>
    <name>vandrel::WizardPage</name>
    <message>
        <source>Welcome to the Vandrel wizard!</source>
        <translation>Bienvenue dans l&apos;assistant Vandrel !</translation>
    </message>
    <message>
        <source>Welcome to the Vandrel! The Vandrel allows you to build Zorrit themes easily and fast.</source>
        <translation>Bienvenue dans le Vandrel ! Le Vandrel vous permet de créer des thèmes Zorrit facilement et rapidement.</translation>
    </message>
    <message>
        <source>To build your mouse trail, you can have up to 5 pictures. Pictures must not exceed 20x20 in size and must be Bitmap, GIF or JPEG pictures.</source>
        <translation>Votre traînée de souris peut compter jusqu&apos;à 5 images. Les images ne doivent pas dépasser 20x20 et doivent être au format Bitmap, GIF ou JPEG.</translation>
    </message>
    <message>
        <source>It is better to choose GIF because it is the only format supporting transparency.</source>
        <translation>Il vaut mieux choisir GIF, car c&apos;est le seul format qui gère la transparence.</translation>
    </message>
    <message>
        <source>Once you have all your pictures ready, click &apos;Next&apos;.</source>
        <translation>Quand toutes vos images sont prêtes, cliquez sur « Suivant ».</translation>
    </message>
    <message>
        <source>Click Next to continue.</source>
        <translation>Cliquez sur Suivant pour continuer.</translation>
    </message>
    <message>
        <source>Now that you have all your pictures, create a folder, and place all your pictures in it.</source>
        <translation>Maintenant que vous avez toutes vos images, créez un dossier et placez-y toutes vos images.</translation>
    </message>
    <message>
        <source>To create a folder, right-click a blank space on the desktop, point to &quot;New&quot; and click &quot;Folder&quot;. You can choose any name for the folder and pictures. </source>
        <translation>Pour créer un dossier, cliquez avec le bouton droit sur un espace libre du bureau, pointez sur « Nouveau » et cliquez sur « Dossier ». Vous pouvez donner n&apos;importe quel nom au dossier et aux images. </translation>
    </message>
    <message>
        <source>Once your folder is created and your pictures are inside, click &apos;Next&apos;.</source>
        <translation>Quand votre dossier est créé et que vos images s&apos;y trouvent, cliquez sur « Suivant ».</translation>
    </message>
    <message>
        <source>Congratulations, your theme is ready to be built!</source>
        <translation>Félicitations, votre thème est prêt à être créé !</translation>
    </message>
    <message>
        <source>Click &apos;Finish&apos; to build your theme: the Vandrel will ask you where you want to save it.</source>
        <translation>Cliquez sur « Terminer » pour créer votre thème : le Vandrel vous demandera où l&apos;enregistrer.</translation>
    </message>
    <message>
        <source>                      you must save the theme in the folder where you placed the theme&apos;s images.</source>
        <translation>                      enregistrez le thème dans le dossier où vous avez placé ses images.</translation>
    </message>
    <message>
        <source>Important:</source>
        <translation>Important :</translation>
    </message>
    <message>
        <source>Click Finish to continue.</source>
        <translation>Cliquez sur Terminer pour continuer.</translation>
    </message>
    <message>
        <source>&amp;Finish &gt;</source>
        <translation>&amp;Terminer &gt;</translation>
    </message>
    <message>
        <source>Wizard - Vandrel</source>
        <translation>Assistant - Vandrel</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Vandrel wizard</source>
        <translation>Assistant Vandrel</translation>
    </message>
    <message>
        <source>Step %1 out of 5</source>
        <translation>Étape %1 sur 5</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Suivant &gt;</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
</TS>
