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
    <name>zorrit::prefs::PrefsDialog</name>
    <message>
        <source>Zorrit Preferences</source>
        <translation>Préférences de Zorrit</translation>
    </message>
    <message>
        <source>&amp;General</source>
        <translation>&amp;Général</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Réglages</translation>
    </message>
    <message>
        <source>S&amp;haring</source>
        <translation>Pa&amp;rtage</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>&amp;Aide...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Themes</source>
        <translation>Thèmes</translation>
    </message>
    <message>
        <source>Current theme:</source>
        <translation>Thème actuel :</translation>
    </message>
    <message>
        <source>Bubbles</source>
        <translation>Bubbles</translation>
    </message>
    <message>
        <source>&amp;Load theme...</source>
        <translation>&amp;Charger un thème...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Utiliser le thème intégré</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Au premier plan</translation>
    </message>
    <message>
        <source>On desktop</source>
        <translation>Sur le bureau</translation>
    </message>
    <message>
        <source>Create Custom Themes</source>
        <translation>Créer vos propres thèmes</translation>
    </message>
    <message>
        <source>Launch the &amp;Rezor Edividu</source>
        <translation>Lancer le &amp;Rezor Edividu</translation>
    </message>
    <message>
        <source>Start Zorrit when I log in</source>
        <translation>Démarrer Zorrit à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Choose the position of the mouse trail:</source>
        <translation>Choisissez la position de la traînée de la souris :</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>En haut à droite</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>En bas à droite</translation>
    </message>
    <message>
        <source>Wobble mouse trail</source>
        <translation>Faire onduler la traînée</translation>
    </message>
    <message>
        <source>Fast move</source>
        <translation>Mouvement rapide</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>Translucid trail</source>
        <translation>Traînée translucide</translation>
    </message>
    <message>
        <source>Visibility:</source>
        <translation>Visibilité :</translation>
    </message>
    <message>
        <source>Download New Themes</source>
        <translation>Télécharger de nouveaux thèmes</translation>
    </message>
    <message>
        <source>You can download on our website hundreds of Zorrit themes! </source>
        <translation>Vous pouvez télécharger des centaines de thèmes Zorrit sur notre site ! </translation>
    </message>
    <message>
        <source>To do so, visit our Theme Gallery:</source>
        <translation>Pour cela, visitez notre galerie de thèmes :</translation>
    </message>
    <message>
        <source>Upload Your Own Themes</source>
        <translation>Publiez vos propres thèmes</translation>
    </message>
    <message>
        <source>You can distribute on the Internet your own themes on our Theme Gallery!</source>
        <translation>Vous pouvez diffuser vos propres thèmes sur Internet grâce à notre galerie de thèmes !</translation>
    </message>
    <message>
        <source>Just click the following link to upload your own theme:</source>
        <translation>Cliquez simplement sur le lien suivant pour publier votre thème :</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Erreur critique</translation>
    </message>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Thème Zorrit (*.thm)</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t launch a shared library. Zorrit is damaged, please reinstall a copy.</source>
        <translation>Zorrit n&apos;a pas pu charger une bibliothèque partagée. Zorrit est endommagé, veuillez le réinstaller.</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t change the programs that start when you log in. Please check that you may write to %1.</source>
        <translation>Zorrit n&apos;a pas pu modifier les programmes lancés à l&apos;ouverture de session. Vérifiez que vous pouvez écrire dans %1.</translation>
    </message>
    <message>
        <source>The theme you have selected is damaged or some files are missing. Please install it again.</source>
        <translation>Le thème choisi est endommagé ou des fichiers manquent. Veuillez l&apos;installer à nouveau.</translation>
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
        <translation>Désolé, le Vandrel est introuvable. Réinstallez Zorrit.</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::AboutBox</name>
    <message>
        <source>About Zorrit</source>
        <translation>À propos de Zorrit</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source> - Build </source>
        <translation> - Build </translation>
    </message>
    <message>
        <source>For updates, news and other great utilities, visit:</source>
        <translation>Pour les mises à jour, les nouvelles et d&apos;autres utilitaires, visitez :</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Check for updates...</source>
        <translation>&amp;Rechercher des mises à jour...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::AhwellDialog</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::StandWindow</name>
    <message>
        <source>Loading, please wait...</source>
        <translation>Chargement, veuillez patienter...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::Startup1Window</name>
    <message>
        <source>Welcome Wizard</source>
        <translation>Assistant de bienvenue</translation>
    </message>
    <message>
        <source>It&apos;s the first time Zorrit is launched on your computer. This window won&apos;t appear anymore.</source>
        <translation>C&apos;est la première fois que Zorrit est lancé sur votre ordinateur. Cette fenêtre ne s&apos;affichera plus.</translation>
    </message>
    <message>
        <source>Zorrit uses very little CPU and will not slow down your computer.</source>
        <translation>Zorrit utilise très peu le processeur et ne ralentira pas votre ordinateur.</translation>
    </message>
    <message>
        <source>We hope you enjoy Zorrit!</source>
        <translation>Nous espérons que Zorrit vous plaira !</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Zorrit will add a mouse trail to your mouse. You can change the mouse trail, download new mouse trails via the Internet and even make your own mouse trails!</source>
        <translation>Zorrit ajoute une traînée à votre souris. Vous pouvez changer de traînée, télécharger de nouvelles traînées sur Internet et même créer les vôtres !</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::TrayWindow</name>
    <message>
        <source>&amp;Zorrit Preferences...</source>
        <translation>&amp;Préférences de Zorrit...</translation>
    </message>
    <message>
        <source>&amp;Download new themes...</source>
        <translation>&amp;Télécharger de nouveaux thèmes...</translation>
    </message>
    <message>
        <source>&amp;Load Theme...</source>
        <translation>&amp;Charger un thème...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Utiliser le thème intégré</translation>
    </message>
    <message>
        <source>Zorrit &amp;On</source>
        <translation>&amp;Activer Zorrit</translation>
    </message>
    <message>
        <source>Zorrit O&amp;ff</source>
        <translation>&amp;Désactiver Zorrit</translation>
    </message>
    <message>
        <source>A&amp;bout Zorrit...</source>
        <translation>À &amp;propos de Zorrit...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>zorrit</name>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Erreur</translation>
    </message>
</context>
</TS>
