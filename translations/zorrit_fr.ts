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
    <name>zorrit</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Erreur critique</translation>
    </message>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Erreur</translation>
    </message>
    <message>
        <source>zorrit: no X display (DISPLAY is not set); Zorrit needs an X11 session.
</source>
        <translation>zorrit : pas d’affichage X (DISPLAY n’est pas défini) ; Zorrit a besoin d’une session X11.
</translation>
    </message>
    <message>
        <source>zorrit: cannot connect to the X display &quot;%1&quot;.
</source>
        <translation>zorrit : impossible de se connecter à l’affichage X « %1 ».
</translation>
    </message>
    <message>
        <source>zorrit: this Wayland desktop has no layer shell and there is no X display, so Zorrit cannot show the trail.
</source>
        <translation>zorrit : ce bureau Wayland n’a pas de « layer shell » et il n’y a pas d’affichage X ; Zorrit ne peut donc pas montrer la traînée.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection, so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit : le compositeur a fermé la connexion Wayland de Zorrit ; la traînée ne s’affiche plus jusqu’au prochain démarrage de Zorrit.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection (it said: %1), so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit : le compositeur a fermé la connexion Wayland de Zorrit (il a dit : %1) ; la traînée ne s’affiche plus jusqu’au prochain démarrage de Zorrit.
</translation>
    </message>
</context>
<context>
    <name>zorrit::app::ZorritApp</name>
    <message>
        <source>Zorrit is not running.
</source>
        <translation>Zorrit n’est pas lancé.
</translation>
    </message>
    <message>
        <source>zorrit: the running Zorrit did not answer.
</source>
        <translation>zorrit : le Zorrit lancé n’a pas répondu.
</translation>
    </message>
    <message>
        <source>zorrit: waiting for the running Zorrit to hand over.
</source>
        <translation>zorrit : en attente du Zorrit lancé, qui doit passer la main.
</translation>
    </message>
    <message>
        <source>Zorrit cannot make its lock file, so it cannot tell whether another copy is running. Make sure that %1 is a folder of yours that only you can use, then try again.</source>
        <translation>Zorrit ne peut pas créer son fichier de verrou et ne peut donc pas savoir si une autre copie est lancée. Vérifiez que %1 est un dossier à vous que vous seul pouvez utiliser, puis réessayez.</translation>
    </message>
    <message>
        <source>$XDG_RUNTIME_DIR (or ~/.cache)</source>
        <translation>$XDG_RUNTIME_DIR (ou ~/.cache)</translation>
    </message>
    <message>
        <source>Zorrit is already running. You cannot launch more than one copy at a time.</source>
        <translation>Zorrit est déjà lancé. Vous ne pouvez pas lancer plus d’une copie à la fois.</translation>
    </message>
    <message>
        <source>The theme you have selected wasn&apos;t found. Zorrit will use the built-in theme instead.</source>
        <translation>Le thème que vous avez choisi est introuvable. Zorrit utilisera le thème intégré à la place.</translation>
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
        <translation>Utilisation : zorrit [FICHIER-THÈME]
              zorrit --preferences | --quit | --help | --version

Une traînée de cinq petites images qui suit le pointeur de la souris.

  FICHIER-THÈME   utiliser ce thème (une copie déjà lancée passe la main à celle-ci)
  --preferences   ouvrir les préférences du Zorrit lancé ; si aucun n’est lancé,
                  lancer Zorrit et les ouvrir
  --quit          quitter le Zorrit lancé
  --help          afficher cette aide
  --version       afficher la version

Une option ne compte que si elle forme toute la ligne de commande ; tout le reste est le chemin d’un fichier de thème.
</translation>
    </message>
</context>
<context>
    <name>zorrit::integration</name>
    <message>
        <source>zorrit: %1 is not a regular file of a sensible size; the theme file association leaves it alone.
</source>
        <translation>zorrit : %1 n’est pas un fichier ordinaire de taille raisonnable ; l’association des fichiers de thème n’y touche pas.
</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::BusPointerSource</name>
    <message>
        <source>no session bus</source>
        <translation>pas de bus de session</translation>
    </message>
    <message>
        <source>cannot serve %1</source>
        <translation>impossible de servir %1</translation>
    </message>
    <message>
        <source>the bus refused the name %1</source>
        <translation>le bus a refusé le nom %1</translation>
    </message>
    <message>
        <source>another program holds the bus name %1; until it lets go, the trail follows the pointer only over X11 windows.</source>
        <translation>un autre programme détient le nom de bus %1 ; tant qu’il ne le libère pas, la traînée ne suit le pointeur qu’au-dessus des fenêtres X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::GnomePointerSource</name>
    <message>
        <source>GNOME Shell went away</source>
        <translation>GNOME Shell a disparu</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension was turned off</source>
        <translation>l’extension GNOME Shell de Zorrit a été désactivée</translation>
    </message>
    <message>
        <source>GNOME Shell cannot report the pointer to us (%1).</source>
        <translation>GNOME Shell ne peut pas nous signaler le pointeur (%1).</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not installed</source>
        <translation>l’extension GNOME Shell de Zorrit n’est pas installée</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not made for this version of GNOME Shell</source>
        <translation>l’extension GNOME Shell de Zorrit n’est pas faite pour cette version de GNOME Shell</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension failed (%1)</source>
        <translation>l’extension GNOME Shell de Zorrit a échoué (%1)</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::KWinPointerSource</name>
    <message>
        <source>KWin went away</source>
        <translation>KWin a disparu</translation>
    </message>
    <message>
        <source>another program took the bus name %1</source>
        <translation>un autre programme a pris le nom de bus %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d’écrire %1</translation>
    </message>
    <message>
        <source>KWin refused the script</source>
        <translation>KWin a refusé le script</translation>
    </message>
    <message>
        <source>KWin did not answer: %1</source>
        <translation>KWin n’a pas répondu : %1</translation>
    </message>
    <message>
        <source>KWin did not start the script: %1</source>
        <translation>KWin n’a pas lancé le script : %1</translation>
    </message>
    <message>
        <source>KWin does not report the pointer to us (%1), so the trail follows it only over X11 windows.</source>
        <translation>KWin ne nous signale pas le pointeur (%1) : la traînée ne le suit donc qu’au-dessus des fenêtres X11.</translation>
    </message>
    <message>
        <source>KWin stopped reporting the pointer (%1)</source>
        <translation>KWin a cessé de signaler le pointeur (%1)</translation>
    </message>
    <message>
        <source>Zorrit&apos;s script was unloaded, and loading it again failed: %1</source>
        <translation>le script de Zorrit a été déchargé, et le recharger a échoué : %1</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::PointerChoice</name>
    <message>
        <source>This desktop does not tell other programs where the pointer is, so the trail follows it only over X11 windows.</source>
        <translation>Ce bureau n’indique pas aux autres programmes où se trouve le pointeur : la traînée ne le suit donc qu’au-dessus des fenêtres X11.</translation>
    </message>
    <message>
        <source>To let the trail follow the pointer over every window, enable Zorrit&apos;s GNOME Shell extension:

    gnome-extensions enable %1

then log out and in again.</source>
        <translation>Pour que la traînée suive le pointeur au-dessus de toutes les fenêtres, activez l’extension GNOME Shell de Zorrit :

    gnome-extensions enable %1

puis fermez la session et rouvrez-la.</translation>
    </message>
    <message>
        <source>%1, so the trail follows the pointer only over X11 windows.</source>
        <translation>%1 : la traînée ne suit donc le pointeur qu’au-dessus des fenêtres X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::WlrootsPointerSource</name>
    <message>
        <source>The compositor cannot tell us where the pointer is (%1).</source>
        <translation>Le compositeur ne peut pas nous dire où se trouve le pointeur (%1).</translation>
    </message>
    <message>
        <source>The compositor went away</source>
        <translation>Le compositeur a disparu</translation>
    </message>
    <message>
        <source>The compositor refused the cursor sessions (it said: %1)</source>
        <translation>Le compositeur a refusé les sessions de curseur (il a dit : %1)</translation>
    </message>
    <message>
        <source>the compositor offers no cursor sessions</source>
        <translation>le compositeur n’offre pas de sessions de curseur</translation>
    </message>
    <message>
        <source>This desktop draws the pointer itself and does not tell other programs where it is, so the trail follows it only over X11 windows.</source>
        <translation>Ce bureau dessine lui-même le pointeur et n’indique pas aux autres programmes où il se trouve ; la traînée ne le suit donc qu’au-dessus des fenêtres X11.</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::Autostart</name>
    <message>
        <source>Starts the mouse trail when you log in</source>
        <translation>Lance la traînée de souris à l’ouverture de session</translation>
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
    <message>
        <source>Hide the trail over full-screen programs</source>
        <translation>Masquer la traînée au-dessus des programmes en plein écran</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
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
</context>
<context>
    <name>zorrit::prefs::PrefsWindow</name>
    <message>
        <source>Sorry, but the Vandrel wasn&apos;t found. Reinstall a fresh copy of Zorrit.</source>
        <translation>Désolé, le Vandrel est introuvable. Réinstallez Zorrit.</translation>
    </message>
</context>
<context>
    <name>zorrit::settings::SettingsStore</name>
    <message>
        <source>zorrit: %1 is not a regular file; running on the default settings and saving nothing until it is moved away.
</source>
        <translation>zorrit : %1 n’est pas un fichier ordinaire ; Zorrit tourne avec les réglages par défaut et n’enregistre rien tant qu’il n’est pas déplacé.
</translation>
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
    <name>zorrit::shell::LoadingWindow</name>
    <message>
        <source>Loading, please wait...</source>
        <translation>Chargement, veuillez patienter...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::ThemeNotFoundDialog</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>The theme you have selected isn&apos;t found. Zorrit will use the built-in theme instead.</source>
        <translation>Le thème que vous avez choisi est introuvable. Zorrit utilisera le thème intégré à la place.</translation>
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
    <message>
        <source>zorrit: no system tray found after a minute; Zorrit runs on without its tray icon. Open its preferences with &quot;zorrit --preferences&quot; and end it with &quot;zorrit --quit&quot;.
</source>
        <translation>zorrit : aucune zone de notification trouvée au bout d’une minute ; Zorrit continue sans son icône. Ouvrez ses préférences avec « zorrit --preferences » et quittez-le avec « zorrit --quit ».
</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::WelcomeWindow</name>
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
    <message>
        <source>     To configure Zorrit, change the current mouse trail or deactivate it temporarily, simply right-click Zorrit&apos;s icon, located on the system tray (near the clock). The icon will appear once you&apos;ll close this window.</source>
        <translation>     Pour configurer Zorrit, changer de traînée ou la désactiver temporairement, faites simplement un clic droit sur l&apos;icône de Zorrit, dans la zone de notification (près de l&apos;horloge). L&apos;icône apparaîtra dès que vous aurez fermé cette fenêtre.</translation>
    </message>
</context>
<context>
    <name>zorrit::trail::Translucency</name>
    <message>
        <source>Sorry, but the translucid trail only works with a compositing window manager.</source>
        <translation>Désolé, mais la traînée translucide ne fonctionne qu’avec un gestionnaire de fenêtres composite.</translation>
    </message>
</context>
<context>
    <name>zorrit::update::ResultDialog</name>
    <message>
        <source>Update available</source>
        <translation>Mise à jour disponible</translation>
    </message>
    <message>
        <source>An update for Zorrit was found!</source>
        <translation>Une mise à jour de Zorrit a été trouvée !</translation>
    </message>
    <message>
        <source>Already updated</source>
        <translation>Déjà à jour</translation>
    </message>
    <message>
        <source>You already have the most recent version of Zorrit on your system!</source>
        <translation>Vous avez déjà la version la plus récente de Zorrit sur votre système !</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>An error occurred while checking for updates. Make sure you are on the Internet, then try again.</source>
        <translation>Une erreur s’est produite lors de la recherche de mises à jour. Vérifiez que vous êtes connecté à Internet, puis réessayez.</translation>
    </message>
    <message>
        <source>The latest available version is %1. You currently have %2.</source>
        <translation>La dernière version disponible est la %1. Vous avez actuellement la %2.</translation>
    </message>
    <message>
        <source>Download update</source>
        <translation>Télécharger la mise à jour</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version : %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>zorrit::update::UpdateCheckWindow</name>
    <message>
        <source>Checking...</source>
        <translation>Vérification...</translation>
    </message>
    <message>
        <source>Time remaining: About 5 seconds</source>
        <translation>Temps restant : environ 5 secondes</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Recherche de mises à jour...</translation>
    </message>
    <message>
        <source>Connecting... </source>
        <translation>Connexion... </translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Could not connect.</source>
        <translation>Connexion impossible.</translation>
    </message>
    <message>
        <source>Comparing...</source>
        <translation>Comparaison...</translation>
    </message>
    <message>
        <source>Waiting response...</source>
        <translation>Attente de la réponse...</translation>
    </message>
</context>
</TS>
