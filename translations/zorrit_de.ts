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
    <name>zorrit</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Schwerer Fehler</translation>
    </message>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Fehler</translation>
    </message>
    <message>
        <source>zorrit: no X display (DISPLAY is not set); Zorrit needs an X11 session.
</source>
        <translation>zorrit: keine X-Anzeige (DISPLAY ist nicht gesetzt); Zorrit braucht eine X11-Sitzung.
</translation>
    </message>
    <message>
        <source>zorrit: cannot connect to the X display &quot;%1&quot;.
</source>
        <translation>zorrit: keine Verbindung zur X-Anzeige „%1“.
</translation>
    </message>
    <message>
        <source>zorrit: this Wayland desktop has no layer shell and there is no X display, so Zorrit cannot show the trail.
</source>
        <translation>zorrit: Dieser Wayland-Desktop hat keine Layer-Shell und es gibt keine X-Anzeige, daher kann Zorrit die Spur nicht zeigen.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection, so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit: Der Compositor hat Zorrits Wayland-Verbindung geschlossen, daher ist die Spur erst nach einem Neustart von Zorrit wieder zu sehen.
</translation>
    </message>
    <message>
        <source>zorrit: the compositor closed Zorrit&apos;s Wayland connection (it said: %1), so the trail is not shown until Zorrit starts again.
</source>
        <translation>zorrit: Der Compositor hat Zorrits Wayland-Verbindung geschlossen (er sagte: %1), daher ist die Spur erst nach einem Neustart von Zorrit wieder zu sehen.
</translation>
    </message>
</context>
<context>
    <name>zorrit::app::ZorritApp</name>
    <message>
        <source>Zorrit is not running.
</source>
        <translation>Zorrit läuft nicht.
</translation>
    </message>
    <message>
        <source>zorrit: the running Zorrit did not answer.
</source>
        <translation>zorrit: das laufende Zorrit hat nicht geantwortet.
</translation>
    </message>
    <message>
        <source>zorrit: waiting for the running Zorrit to hand over.
</source>
        <translation>zorrit: warte, bis das laufende Zorrit übergibt.
</translation>
    </message>
    <message>
        <source>Zorrit cannot make its lock file, so it cannot tell whether another copy is running. Make sure that %1 is a folder of yours that only you can use, then try again.</source>
        <translation>Zorrit kann seine Sperrdatei nicht anlegen und daher nicht erkennen, ob schon eine andere Kopie läuft. Stellen Sie sicher, dass %1 ein Ordner ist, der Ihnen gehört und den nur Sie benutzen können, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>$XDG_RUNTIME_DIR (or ~/.cache)</source>
        <translation>$XDG_RUNTIME_DIR (oder ~/.cache)</translation>
    </message>
    <message>
        <source>Zorrit is already running. You cannot launch more than one copy at a time.</source>
        <translation>Zorrit läuft bereits. Sie können nicht mehr als eine Kopie gleichzeitig starten.</translation>
    </message>
    <message>
        <source>The theme you have selected wasn&apos;t found. Zorrit will use the built-in theme instead.</source>
        <translation>Das gewählte Thema wurde nicht gefunden. Zorrit verwendet stattdessen das eingebaute Thema.</translation>
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
        <translation>Aufruf: zorrit [THEMENDATEI]
       zorrit --preferences | --quit | --help | --version

Eine Spur aus fünf kleinen Bildern, die dem Mauszeiger folgt.

  THEMENDATEI     dieses Thema verwenden (eine schon laufende Kopie übergibt an diese)
  --preferences   die Einstellungen des laufenden Zorrit öffnen; läuft keines,
                  Zorrit starten und sie öffnen
  --quit          das laufende Zorrit beenden
  --help          diese Hilfe zeigen
  --version       die Version zeigen

Eine Option gilt nur als ganze Befehlszeile; alles andere ist der Pfad einer Themendatei.
</translation>
    </message>
</context>
<context>
    <name>zorrit::integration</name>
    <message>
        <source>zorrit: %1 is not a regular file of a sensible size; the theme file association leaves it alone.
</source>
        <translation>zorrit: %1 ist keine normale Datei vernünftiger Größe; die Zuordnung der Themendateien lässt sie unverändert.
</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::BusPointerSource</name>
    <message>
        <source>no session bus</source>
        <translation>kein Sitzungsbus</translation>
    </message>
    <message>
        <source>cannot serve %1</source>
        <translation>%1 kann nicht angeboten werden</translation>
    </message>
    <message>
        <source>the bus refused the name %1</source>
        <translation>der Bus hat den Namen %1 verweigert</translation>
    </message>
    <message>
        <source>another program holds the bus name %1; until it lets go, the trail follows the pointer only over X11 windows.</source>
        <translation>ein anderes Programm hält den Busnamen %1; bis es ihn freigibt, folgt die Spur dem Mauszeiger nur über X11-Fenstern.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::GnomePointerSource</name>
    <message>
        <source>GNOME Shell went away</source>
        <translation>GNOME Shell ist verschwunden</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension was turned off</source>
        <translation>Zorrits GNOME-Shell-Erweiterung wurde ausgeschaltet</translation>
    </message>
    <message>
        <source>GNOME Shell cannot report the pointer to us (%1).</source>
        <translation>GNOME Shell kann uns den Mauszeiger nicht melden (%1).</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not installed</source>
        <translation>Zorrits GNOME-Shell-Erweiterung ist nicht installiert</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension is not made for this version of GNOME Shell</source>
        <translation>Zorrits GNOME-Shell-Erweiterung ist nicht für diese Version von GNOME Shell gemacht</translation>
    </message>
    <message>
        <source>Zorrit&apos;s GNOME Shell extension failed (%1)</source>
        <translation>Zorrits GNOME-Shell-Erweiterung ist fehlgeschlagen (%1)</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::KWinPointerSource</name>
    <message>
        <source>KWin went away</source>
        <translation>KWin ist verschwunden</translation>
    </message>
    <message>
        <source>another program took the bus name %1</source>
        <translation>ein anderes Programm hat den Busnamen %1 übernommen</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>KWin refused the script</source>
        <translation>KWin hat das Skript abgelehnt</translation>
    </message>
    <message>
        <source>KWin did not answer: %1</source>
        <translation>KWin hat nicht geantwortet: %1</translation>
    </message>
    <message>
        <source>KWin did not start the script: %1</source>
        <translation>KWin hat das Skript nicht gestartet: %1</translation>
    </message>
    <message>
        <source>KWin does not report the pointer to us (%1), so the trail follows it only over X11 windows.</source>
        <translation>KWin meldet uns den Mauszeiger nicht (%1); daher folgt ihm die Spur nur über X11-Fenstern.</translation>
    </message>
    <message>
        <source>KWin stopped reporting the pointer (%1)</source>
        <translation>KWin meldet den Mauszeiger nicht mehr (%1)</translation>
    </message>
    <message>
        <source>Zorrit&apos;s script was unloaded, and loading it again failed: %1</source>
        <translation>das Skript von Zorrit wurde entladen, und es erneut zu laden ist gescheitert: %1</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::PointerChoice</name>
    <message>
        <source>This desktop does not tell other programs where the pointer is, so the trail follows it only over X11 windows.</source>
        <translation>Diese Arbeitsumgebung teilt anderen Programmen nicht mit, wo der Mauszeiger ist; daher folgt ihm die Spur nur über X11-Fenstern.</translation>
    </message>
    <message>
        <source>To let the trail follow the pointer over every window, enable Zorrit&apos;s GNOME Shell extension:

    gnome-extensions enable %1

then log out and in again.</source>
        <translation>Damit die Spur dem Mauszeiger über allen Fenstern folgt, aktivieren Sie Zorrits GNOME-Shell-Erweiterung:

    gnome-extensions enable %1

und melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>%1, so the trail follows the pointer only over X11 windows.</source>
        <translation>%1; daher folgt die Spur dem Mauszeiger nur über X11-Fenstern.</translation>
    </message>
</context>
<context>
    <name>zorrit::pointer::WlrootsPointerSource</name>
    <message>
        <source>The compositor cannot tell us where the pointer is (%1).</source>
        <translation>Der Compositor kann uns nicht sagen, wo der Zeiger ist (%1).</translation>
    </message>
    <message>
        <source>The compositor went away</source>
        <translation>Der Compositor ist verschwunden</translation>
    </message>
    <message>
        <source>The compositor refused the cursor sessions (it said: %1)</source>
        <translation>Der Compositor hat die Cursor-Sitzungen verweigert (er sagte: %1)</translation>
    </message>
    <message>
        <source>the compositor offers no cursor sessions</source>
        <translation>der Compositor bietet keine Zeigersitzungen an</translation>
    </message>
    <message>
        <source>This desktop draws the pointer itself and does not tell other programs where it is, so the trail follows it only over X11 windows.</source>
        <translation>Dieser Desktop zeichnet den Mauszeiger selbst und teilt anderen Programmen nicht mit, wo er ist, daher folgt die Spur ihm nur über X11-Fenstern.</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::Autostart</name>
    <message>
        <source>Starts the mouse trail when you log in</source>
        <translation>Startet die Mausspur bei der Anmeldung</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsDialog</name>
    <message>
        <source>Zorrit Preferences</source>
        <translation>Zorrit-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;General</source>
        <translation>&amp;Allgemein</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>S&amp;haring</source>
        <translation>&amp;Teilen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Über...</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>&amp;Hilfe...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Themes</source>
        <translation>Themen</translation>
    </message>
    <message>
        <source>Current theme:</source>
        <translation>Aktuelles Thema:</translation>
    </message>
    <message>
        <source>&amp;Load theme...</source>
        <translation>Thema &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Eingebautes Thema verwenden</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Im Vordergrund</translation>
    </message>
    <message>
        <source>On desktop</source>
        <translation>Auf dem Schreibtisch</translation>
    </message>
    <message>
        <source>Create Custom Themes</source>
        <translation>Eigene Themen erstellen</translation>
    </message>
    <message>
        <source>Launch the &amp;Rezor Edividu</source>
        <translation>&amp;Rezor Edividu starten</translation>
    </message>
    <message>
        <source>Start Zorrit when I log in</source>
        <translation>Zorrit bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Choose the position of the mouse trail:</source>
        <translation>Wählen Sie die Position der Mausspur:</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Wobble mouse trail</source>
        <translation>Mausspur wackeln lassen</translation>
    </message>
    <message>
        <source>Fast move</source>
        <translation>Schnelle Bewegung</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Translucid trail</source>
        <translation>Durchscheinende Spur</translation>
    </message>
    <message>
        <source>Visibility:</source>
        <translation>Sichtbarkeit:</translation>
    </message>
    <message>
        <source>Download New Themes</source>
        <translation>Neue Themen herunterladen</translation>
    </message>
    <message>
        <source>You can download on our website hundreds of Zorrit themes! </source>
        <translation>Auf unserer Website können Sie Hunderte von Zorrit-Themen herunterladen! </translation>
    </message>
    <message>
        <source>To do so, visit our Theme Gallery:</source>
        <translation>Besuchen Sie dazu unsere Themengalerie:</translation>
    </message>
    <message>
        <source>Upload Your Own Themes</source>
        <translation>Eigene Themen hochladen</translation>
    </message>
    <message>
        <source>You can distribute on the Internet your own themes on our Theme Gallery!</source>
        <translation>In unserer Themengalerie können Sie Ihre eigenen Themen im Internet verbreiten!</translation>
    </message>
    <message>
        <source>Just click the following link to upload your own theme:</source>
        <translation>Klicken Sie einfach auf den folgenden Link, um Ihr eigenes Thema hochzuladen:</translation>
    </message>
    <message>
        <source>Hide the trail over full-screen programs</source>
        <translation>Spur über Vollbildprogrammen ausblenden</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
    <message>
        <source>Zorrit Theme (*.thm)</source>
        <translation>Zorrit-Thema (*.thm)</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t launch a shared library. Zorrit is damaged, please reinstall a copy.</source>
        <translation>Zorrit konnte eine gemeinsame Bibliothek nicht starten. Zorrit ist beschädigt, bitte installieren Sie es neu.</translation>
    </message>
    <message>
        <source>Zorrit couldn&apos;t change the programs that start when you log in. Please check that you may write to %1.</source>
        <translation>Zorrit konnte die Programme, die bei der Anmeldung starten, nicht ändern. Bitte prüfen Sie, ob Sie in %1 schreiben dürfen.</translation>
    </message>
    <message>
        <source>The theme you have selected is damaged or some files are missing. Please install it again.</source>
        <translation>Das gewählte Thema ist beschädigt oder es fehlen Dateien. Bitte installieren Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>zorrit::prefs::PrefsWindow</name>
    <message>
        <source>Sorry, but the Vandrel wasn&apos;t found. Reinstall a fresh copy of Zorrit.</source>
        <translation>Leider wurde der Vandrel nicht gefunden. Installieren Sie Zorrit neu.</translation>
    </message>
</context>
<context>
    <name>zorrit::settings::SettingsStore</name>
    <message>
        <source>zorrit: %1 is not a regular file; running on the default settings and saving nothing until it is moved away.
</source>
        <translation>zorrit: %1 ist keine normale Datei; Zorrit läuft mit den Standardeinstellungen und speichert nichts, bis sie entfernt wird.
</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::AboutBox</name>
    <message>
        <source>About Zorrit</source>
        <translation>Über Zorrit</translation>
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
        <translation>Aktualisierungen, Neuigkeiten und weitere tolle Programme finden Sie unter:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Check for updates...</source>
        <translation>Nach &amp;Aktualisierungen suchen...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::LoadingWindow</name>
    <message>
        <source>Loading, please wait...</source>
        <translation>Wird geladen, bitte warten...</translation>
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
        <translation>Das gewählte Thema wurde nicht gefunden. Zorrit verwendet stattdessen das eingebaute Thema.</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::TrayWindow</name>
    <message>
        <source>&amp;Zorrit Preferences...</source>
        <translation>&amp;Zorrit-Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Download new themes...</source>
        <translation>Neue Themen &amp;herunterladen...</translation>
    </message>
    <message>
        <source>&amp;Load Theme...</source>
        <translation>Thema &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Use built-in theme</source>
        <translation>&amp;Eingebautes Thema verwenden</translation>
    </message>
    <message>
        <source>Zorrit &amp;On</source>
        <translation>Zorrit &amp;ein</translation>
    </message>
    <message>
        <source>Zorrit O&amp;ff</source>
        <translation>Zorrit a&amp;us</translation>
    </message>
    <message>
        <source>A&amp;bout Zorrit...</source>
        <translation>Ü&amp;ber Zorrit...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>zorrit: no system tray found after a minute; Zorrit runs on without its tray icon. Open its preferences with &quot;zorrit --preferences&quot; and end it with &quot;zorrit --quit&quot;.
</source>
        <translation>zorrit: nach einer Minute wurde kein Systemabschnitt der Kontrollleiste gefunden; Zorrit läuft ohne sein Symbol weiter. Öffnen Sie seine Einstellungen mit „zorrit --preferences“ und beenden Sie es mit „zorrit --quit“.
</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::WelcomeWindow</name>
    <message>
        <source>Welcome Wizard</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>It&apos;s the first time Zorrit is launched on your computer. This window won&apos;t appear anymore.</source>
        <translation>Zorrit wird zum ersten Mal auf Ihrem Computer gestartet. Dieses Fenster erscheint nicht wieder.</translation>
    </message>
    <message>
        <source>Zorrit uses very little CPU and will not slow down your computer.</source>
        <translation>Zorrit braucht sehr wenig Rechenzeit und verlangsamt Ihren Computer nicht.</translation>
    </message>
    <message>
        <source>We hope you enjoy Zorrit!</source>
        <translation>Viel Spaß mit Zorrit!</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Zorrit will add a mouse trail to your mouse. You can change the mouse trail, download new mouse trails via the Internet and even make your own mouse trails!</source>
        <translation>Zorrit gibt Ihrer Maus eine Mausspur. Sie können die Mausspur wechseln, neue Mausspuren aus dem Internet herunterladen und sogar eigene Mausspuren erstellen!</translation>
    </message>
    <message>
        <source>     To configure Zorrit, change the current mouse trail or deactivate it temporarily, simply right-click Zorrit&apos;s icon, located on the system tray (near the clock). The icon will appear once you&apos;ll close this window.</source>
        <translation>     Um Zorrit einzustellen, die aktuelle Mausspur zu wechseln oder sie vorübergehend abzuschalten, klicken Sie einfach mit der rechten Maustaste auf das Symbol von Zorrit im Systemabschnitt der Kontrollleiste (neben der Uhr). Das Symbol erscheint, sobald Sie dieses Fenster schließen.</translation>
    </message>
</context>
<context>
    <name>zorrit::trail::Translucency</name>
    <message>
        <source>Sorry, but the translucid trail only works with a compositing window manager.</source>
        <translation>Die durchscheinende Spur funktioniert leider nur mit einem Compositing-Fenstermanager.</translation>
    </message>
</context>
<context>
    <name>zorrit::update::ResultDialog</name>
    <message>
        <source>Update available</source>
        <translation>Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>An update for Zorrit was found!</source>
        <translation>Eine Aktualisierung für Zorrit wurde gefunden!</translation>
    </message>
    <message>
        <source>Already updated</source>
        <translation>Bereits aktuell</translation>
    </message>
    <message>
        <source>You already have the most recent version of Zorrit on your system!</source>
        <translation>Sie haben bereits die neueste Version von Zorrit auf Ihrem System!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>An error occurred while checking for updates. Make sure you are on the Internet, then try again.</source>
        <translation>Bei der Suche nach Aktualisierungen ist ein Fehler aufgetreten. Stellen Sie sicher, dass Sie mit dem Internet verbunden sind, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The latest available version is %1. You currently have %2.</source>
        <translation>Die neueste verfügbare Version ist %1. Sie haben zurzeit %2.</translation>
    </message>
    <message>
        <source>Download update</source>
        <translation>Aktualisierung herunterladen</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
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
        <translation>Prüfen...</translation>
    </message>
    <message>
        <source>Time remaining: About 5 seconds</source>
        <translation>Verbleibende Zeit: etwa 5 Sekunden</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Suche nach Aktualisierungen...</translation>
    </message>
    <message>
        <source>Connecting... </source>
        <translation>Verbinden... </translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbinden...</translation>
    </message>
    <message>
        <source>Could not connect.</source>
        <translation>Keine Verbindung möglich.</translation>
    </message>
    <message>
        <source>Comparing...</source>
        <translation>Vergleichen...</translation>
    </message>
    <message>
        <source>Waiting response...</source>
        <translation>Warten auf Antwort...</translation>
    </message>
</context>
</TS>
