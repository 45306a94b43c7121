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
        <source>Bubbles</source>
        <translation>Bubbles</translation>
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
</context>
<context>
    <name>zorrit::prefs::PrefsModel</name>
    <message>
        <source>Zorrit - Critical Error</source>
        <translation>Zorrit - Schwerer Fehler</translation>
    </message>
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
    <message>
        <source>Bubbles</source>
        <translation>Bubbles</translation>
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
        <translation>Wird geladen, bitte warten...</translation>
    </message>
</context>
<context>
    <name>zorrit::shell::Startup1Window</name>
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
</context>
<context>
    <name>zorrit</name>
    <message>
        <source>Zorrit - Error</source>
        <translation>Zorrit - Fehler</translation>
    </message>
</context>
</TS>
