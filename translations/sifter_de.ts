<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: sifter [RESULT-FILE] [/f:FOLDER]
Finds files by name, words in their contents, size, date and attributes.

  RESULT-FILE  opens a saved search (a .sifter result file)
  /f:FOLDER    puts FOLDER into &quot;Search in&quot;; everything after /f: is the folder
  --help       shows this text
  --version    shows the version and the licence

sifter-cli runs the same searches without a window.
</source>
        <translation>Aufruf: sifter [ERGEBNISDATEI] [/f:ORDNER]
Findet Dateien nach Name, Wörtern im Inhalt, Größe, Datum und Attributen.

  ERGEBNISDATEI  öffnet eine gespeicherte Suche (eine .sifter-Ergebnisdatei)
  /f:ORDNER      setzt ORDNER in „Suchen in“ ein; alles nach /f: ist der Ordner
  --help         zeigt diesen Text
  --version      zeigt die Version und die Lizenz

sifter-cli führt dieselben Suchen ohne Fenster aus.
</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>cannot examine %1: %2</source>
        <translation>%1 kann nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>%1 is missing (package shared-mime-info)</source>
        <translation>%1 fehlt (Paket shared-mime-info)</translation>
    </message>
    <message>
        <source>cannot read %1 (not a readable file, or too large); it is left as it is</source>
        <translation>%1 kann nicht gelesen werden (keine lesbare Datei oder zu groß); die Datei bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>%1 was not written by Sifter&apos;s Options; it is left as it is</source>
        <translation>%1 wurde nicht von Sifters Einstellungen geschrieben; die Datei bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>no write access to %1</source>
        <translation>kein Schreibzugriff auf %1</translation>
    </message>
    <message>
        <source>the user&apos;s data and configuration folders are not known</source>
        <translation>der Daten- und der Konfigurationsordner des Benutzers sind nicht bekannt</translation>
    </message>
    <message>
        <source>the path of the running program is not known</source>
        <translation>der Pfad des laufenden Programms ist nicht bekannt</translation>
    </message>
    <message>
        <source>the program&apos;s path %1 cannot be written in a desktop entry (it is not UTF-8 text, or holds both &quot;%&quot; and &quot;=&quot;)</source>
        <translation>der Programmpfad %1 lässt sich nicht in einen Desktop-Eintrag schreiben (er ist kein UTF-8-Text oder enthält sowohl „%“ als auch „=“)</translation>
    </message>
    <message>
        <source>%1 cannot be examined: %2</source>
        <translation>%1 kann nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 is too large to be read</source>
        <translation>%1 ist zu groß, um gelesen zu werden</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made: %2</source>
        <translation>der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be made executable: %2</source>
        <translation>%1 kann nicht ausführbar gemacht werden: %2</translation>
    </message>
    <message>
        <source>the program&apos;s path cannot be written in %1 (it is not UTF-8 text)</source>
        <translation>der Programmpfad lässt sich nicht in %1 schreiben (er ist kein UTF-8-Text)</translation>
    </message>
    <message>
        <source>%1 was not written by Sifter and is left alone</source>
        <translation>%1 wurde nicht von Sifter geschrieben und bleibt unangetastet</translation>
    </message>
    <message>
        <source>%1 cannot be removed: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>the user&apos;s configuration folder is not known</source>
        <translation>der Konfigurationsordner des Benutzers ist nicht bekannt</translation>
    </message>
    <message>
        <source>the user&apos;s data folder is not known</source>
        <translation>der Datenordner des Benutzers ist nicht bekannt</translation>
    </message>
    <message>
        <source>the program&apos;s own path is not known</source>
        <translation>der eigene Pfad des Programms ist nicht bekannt</translation>
    </message>
    <message>
        <source>%1 failed: ended by signal %2</source>
        <translation>%1 ist fehlgeschlagen: durch das Signal %2 beendet</translation>
    </message>
    <message>
        <source>%1 failed: ended with exit status %2</source>
        <translation>%1 ist fehlgeschlagen: mit dem Exit-Status %2 beendet</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>%1 kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>no program</source>
        <translation>kein Programm</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 ist nicht installiert</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>cannot prepare the start</source>
        <translation>der Start kann nicht vorbereitet werden</translation>
    </message>
    <message>
        <source>%1 cannot be read as Thunar&apos;s list of custom actions (it is not UTF-8 text); it is left untouched</source>
        <translation>%1 lässt sich nicht als Thunars Liste benutzerdefinierter Aktionen lesen (die Datei ist kein UTF-8-Text); sie bleibt unangetastet</translation>
    </message>
    <message>
        <source>%1 cannot be read as Thunar&apos;s list of custom actions (its root element is not &lt;actions&gt;); it is left untouched</source>
        <translation>%1 lässt sich nicht als Thunars Liste benutzerdefinierter Aktionen lesen (das Wurzelelement ist nicht &lt;actions&gt;); die Datei bleibt unangetastet</translation>
    </message>
    <message>
        <source>%1 cannot be read as Thunar&apos;s list of custom actions (%2 at line %3); it is left untouched</source>
        <translation>%1 lässt sich nicht als Thunars Liste benutzerdefinierter Aktionen lesen (%2 in Zeile %3); die Datei bleibt unangetastet</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>no free name for a desktop entry in %1</source>
        <translation>in %1 ist kein Name für einen Desktop-Eintrag mehr frei</translation>
    </message>
    <message>
        <source>the command is not UTF-8 text, which a desktop entry must be</source>
        <translation>der Befehl ist kein UTF-8-Text, den ein Desktop-Eintrag aber verlangt</translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot read %1 (not a readable file, or larger than %2 KiB); it is left as it is</source>
        <translation>%1 kann nicht gelesen werden (keine lesbare Datei oder größer als %2 KiB); die Datei bleibt, wie sie ist</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Sifter [Norvane Search]</source>
        <translation>Sifter [Norvane Search]</translation>
    </message>
    <message>
        <source>About Sifter</source>
        <translation>Über Sifter</translation>
    </message>
    <message>
        <source>Online help:</source>
        <translation>Online-Hilfe:</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Webseite:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Closes the About box</source>
        <translation>Schließt das Fenster „Über Sifter“</translation>
    </message>
    <message>
        <source>All or part of the file name:</source>
        <translation>Dateiname oder Teil davon:</translation>
    </message>
    <message>
        <source>Re&amp;gular expression.</source>
        <translation>Regulärer Ausd&amp;ruck.</translation>
    </message>
    <message>
        <source>One or more words in the file:</source>
        <translation>Wörter im Dateiinhalt:</translation>
    </message>
    <message>
        <source>&amp;Word Options</source>
        <translation>&amp;Wortoptionen</translation>
    </message>
    <message>
        <source>Shows or hides how the words are matched</source>
        <translation>Zeigt oder verbirgt, wie die Wörter verglichen werden</translation>
    </message>
    <message>
        <source>Search in:</source>
        <translation>Suchen in:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>Picks the folder to search in</source>
        <translation>Wählt den Ordner, in dem gesucht wird</translation>
    </message>
    <message>
        <source>File S&amp;ize</source>
        <translation>Datei&amp;größe</translation>
    </message>
    <message>
        <source>Shows or hides the file size limits</source>
        <translation>Zeigt oder verbirgt die Grenzen der Dateigröße</translation>
    </message>
    <message>
        <source>&amp;Date Time</source>
        <translation>Datum/&amp;Uhrzeit</translation>
    </message>
    <message>
        <source>Shows or hides the date and time limits</source>
        <translation>Zeigt oder verbirgt die Grenzen von Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Attributes</source>
        <translation>&amp;Attribute</translation>
    </message>
    <message>
        <source>Shows or hides which kinds of files are searched</source>
        <translation>Zeigt oder verbirgt, welche Arten von Dateien durchsucht werden</translation>
    </message>
    <message>
        <source>E&amp;xclude</source>
        <translation>Aus&amp;nahmen</translation>
    </message>
    <message>
        <source>Shows or hides the folders and names to skip</source>
        <translation>Zeigt oder verbirgt die Ordner und Namen, die übergangen werden</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Starts the search, or stops a running one</source>
        <translation>Startet die Suche oder hält eine laufende an</translation>
    </message>
    <message>
        <source>Don&apos;t care</source>
        <translation>Beliebig</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Last Visited</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Date &amp; Time</source>
        <translation>Datum &amp; Uhrzeit</translation>
    </message>
    <message>
        <source>As picked</source>
        <translation>Wie gewählt</translation>
    </message>
    <message>
        <source>Minutes ago</source>
        <translation>Minuten zurück</translation>
    </message>
    <message>
        <source>Hours ago</source>
        <translation>Stunden zurück</translation>
    </message>
    <message>
        <source>Days ago</source>
        <translation>Tage zurück</translation>
    </message>
    <message>
        <source>Weeks ago</source>
        <translation>Wochen zurück</translation>
    </message>
    <message>
        <source>Months ago</source>
        <translation>Monate zurück</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>Size unit</source>
        <translation>Größeneinheit</translation>
    </message>
    <message>
        <source>First size comparison</source>
        <translation>Erster Größenvergleich</translation>
    </message>
    <message>
        <source>First size</source>
        <translation>Erste Größe</translation>
    </message>
    <message>
        <source>And</source>
        <translation>Und</translation>
    </message>
    <message>
        <source>Second size comparison</source>
        <translation>Zweiter Größenvergleich</translation>
    </message>
    <message>
        <source>Second size</source>
        <translation>Zweite Größe</translation>
    </message>
    <message>
        <source>Any of the words.</source>
        <translation>Eines der Wörter.</translation>
    </message>
    <message>
        <source>All of the words.</source>
        <translation>Alle Wörter.</translation>
    </message>
    <message>
        <source>Exact phrase.</source>
        <translation>Genaue Wortfolge.</translation>
    </message>
    <message>
        <source>Without the words.</source>
        <translation>Ohne diese Wörter.</translation>
    </message>
    <message>
        <source>Hexadecimal.</source>
        <translation>Hexadezimal.</translation>
    </message>
    <message>
        <source>Enable Unicode &amp;&amp; UTF8.</source>
        <translation>Unicode &amp;&amp; UTF-8.</translation>
    </message>
    <message>
        <source>Regular ex&amp;pression.</source>
        <translation>Regulärer Aus&amp;druck.</translation>
    </message>
    <message>
        <source>Which date</source>
        <translation>Welches Datum</translation>
    </message>
    <message>
        <source>Date or time</source>
        <translation>Datum oder Uhrzeit</translation>
    </message>
    <message>
        <source>First date comparison</source>
        <translation>Erster Datumsvergleich</translation>
    </message>
    <message>
        <source>First date</source>
        <translation>Erstes Datum</translation>
    </message>
    <message>
        <source>First time</source>
        <translation>Erste Uhrzeit</translation>
    </message>
    <message>
        <source>First count</source>
        <translation>Erste Anzahl</translation>
    </message>
    <message>
        <source>First relative date</source>
        <translation>Erstes relatives Datum</translation>
    </message>
    <message>
        <source>Second date comparison</source>
        <translation>Zweiter Datumsvergleich</translation>
    </message>
    <message>
        <source>Second date</source>
        <translation>Zweites Datum</translation>
    </message>
    <message>
        <source>Second time</source>
        <translation>Zweite Uhrzeit</translation>
    </message>
    <message>
        <source>Second count</source>
        <translation>Zweite Anzahl</translation>
    </message>
    <message>
        <source>Second relative date</source>
        <translation>Zweites relatives Datum</translation>
    </message>
    <message>
        <source>Search &amp;read-only files.</source>
        <translation>&amp;Schreibgeschützte</translation>
    </message>
    <message>
        <source>Search &amp;hidden files.</source>
        <translation>&amp;Versteckte Dateien</translation>
    </message>
    <message>
        <source>Search s&amp;ystem files.</source>
        <translation>S&amp;ystemdateien</translation>
    </message>
    <message>
        <source>Search &amp;subfolders.</source>
        <translation>&amp;Unterordner</translation>
    </message>
    <message>
        <source>&amp;Case sensitive.</source>
        <translation>&amp;Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Search short (&amp;8.3) names.</source>
        <translation>Kurze (&amp;8.3-)Namen</translation>
    </message>
    <message>
        <source>Folders and names to skip:</source>
        <translation>Ordner und Namen auslassen:</translation>
    </message>
    <message>
        <source>Text to find</source>
        <translation>Zu suchender Text</translation>
    </message>
    <message>
        <source>Goes to the next place the text is found</source>
        <translation>Springt zur nächsten Fundstelle des Textes</translation>
    </message>
    <message>
        <source>Hex View - </source>
        <translation>Hex-Ansicht - </translation>
    </message>
    <message>
        <source>File Type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>&amp;Registrieren</translation>
    </message>
    <message>
        <source>Makes Sifter open result files</source>
        <translation>Lässt Sifter die Ergebnisdateien öffnen</translation>
    </message>
    <message>
        <source>&amp;Unregister</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Removes Sifter as the program of result files</source>
        <translation>Entfernt Sifter als Programm der Ergebnisdateien</translation>
    </message>
    <message>
        <source>Context Menu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>Add context menu &quot;Sifter&quot; to folders and drives then you can launch the software directly.</source>
        <translation>Den Eintrag „Sifter“ ins Kontextmenü von Ordnern und Laufwerken aufnehmen, um die Suche direkt dort zu starten.</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Adds Sifter to the folders&apos; context menu</source>
        <translation>Nimmt Sifter in das Kontextmenü der Ordner auf</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>Removes Sifter from the folders&apos; context menu</source>
        <translation>Entfernt Sifter aus dem Kontextmenü der Ordner</translation>
    </message>
    <message>
        <source>Closes the Options</source>
        <translation>Schließt die Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Register the file type &quot;.sifter&quot; to system, then you can open the search result by double-clicking at the files.</source>
        <translation>Den Dateityp „.sifter“ beim System registrieren; dann öffnet ein Doppelklick auf eine Ergebnisdatei die Suche.</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Menus</name>
    <message>
        <source>Arrange &amp;Icons By</source>
        <translation>Symbole a&amp;nordnen nach</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>In &amp;Folder</source>
        <translation>In &amp;Ordner</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>Date &amp;Modified</source>
        <translation>&amp;Änderungsdatum</translation>
    </message>
    <message>
        <source>Date &amp;Created</source>
        <translation>&amp;Erstellungsdatum</translation>
    </message>
    <message>
        <source>Date Last &amp;Visited</source>
        <translation>&amp;Letzter Zugriff</translation>
    </message>
    <message>
        <source>&amp;Attributes</source>
        <translation>&amp;Attribute</translation>
    </message>
    <message>
        <source>S&amp;hort Name</source>
        <translation>&amp;Kurzname</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Search	Ctrl+N</source>
        <translation>&amp;Neue Suche	Strg+N</translation>
    </message>
    <message>
        <source>O&amp;pen Result File...</source>
        <translation>&amp;Ergebnisdatei öffnen …</translation>
    </message>
    <message>
        <source>&amp;Save Result	Ctrl+S</source>
        <translation>Ergebnis &amp;speichern	Strg+S</translation>
    </message>
    <message>
        <source>Save Result &amp;As...</source>
        <translation>Ergebnis speichern &amp;als …</translation>
    </message>
    <message>
        <source>Open Conta&amp;ining Folder</source>
        <translation>Enthaltenden &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Open	Ctrl+O</source>
        <translation>&amp;Öffnen	Strg+O</translation>
    </message>
    <message>
        <source>Hex &amp;View...</source>
        <translation>&amp;Hex-Ansicht …</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Prope&amp;rties	Alt+Return</source>
        <translation>E&amp;igenschaften	Alt+Eingabe</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>E&amp;xit	Ctrl+Q</source>
        <translation>&amp;Beenden	Strg+Q</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Strg+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Copy to &amp;Folder...</source>
        <translation>In O&amp;rdner kopieren …</translation>
    </message>
    <message>
        <source>Mo&amp;ve To Folder...</source>
        <translation>In Ordner &amp;verschieben …</translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation>Alles aus&amp;wählen	Strg+A</translation>
    </message>
    <message>
        <source>&amp;Invert Selection</source>
        <translation>Auswahl &amp;umkehren</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Pre&amp;view Pane	F3</source>
        <translation>&amp;Vorschaubereich	F3</translation>
    </message>
    <message>
        <source>S&amp;plit</source>
        <translation>&amp;Teilen</translation>
    </message>
    <message>
        <source>Lar&amp;ge Icons</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>S&amp;mall Icons</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Clear Search Histories...</source>
        <translation>Such&amp;verläufe löschen …</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>&amp;Webseite</translation>
    </message>
    <message>
        <source>&amp;About Sifter...</source>
        <translation>Ü&amp;ber Sifter …</translation>
    </message>
    <message>
        <source>E&amp;xclude This Folder</source>
        <translation>Diesen Ordner aus&amp;schließen</translation>
    </message>
    <message>
        <source>I&amp;nvert Selection</source>
        <translation>Auswahl umk&amp;ehren</translation>
    </message>
</context>
<context>
    <name>SizeText</name>
    <message>
        <source> byte</source>
        <translation> Byte</translation>
    </message>
    <message>
        <source> bytes</source>
        <translation> Byte</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Sifter
NewSearch
Sifter
Sifter Result (*.sifter)
.sifter
Sifter.Document
Sifter Result Document</source>
        <translation>Sifter
NeueSuche
Sifter
Sifter-Ergebnis (*.sifter)
.sifter
Sifter.Document
Sifter-Ergebnisdokument</translation>
    </message>
    <message>
        <source>%1 objects</source>
        <translation>%1 Objekte</translation>
    </message>
    <message>
        <source>%1 objects selected</source>
        <translation>%1 Objekte ausgewählt</translation>
    </message>
    <message>
        <source>Type: %1</source>
        <translation>Typ: %1</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Norvane Search</source>
        <translation>Norvane Search</translation>
    </message>
    <message>
        <source>Choose directory to search</source>
        <translation>Ordner für die Suche wählen</translation>
    </message>
    <message>
        <source>Select the folder to copy the selected item(s) to.</source>
        <translation>Wählen Sie den Ordner, in den die ausgewählten Objekte kopiert werden.</translation>
    </message>
    <message>
        <source>Select the folder to move the selected item(s) to.</source>
        <translation>Wählen Sie den Ordner, in den die ausgewählten Objekte verschoben werden.</translation>
    </message>
    <message>
        <source>Date Modified: %1</source>
        <translation>Änderungsdatum: %1</translation>
    </message>
    <message>
        <source>In Folder: %1</source>
        <translation>In Ordner: %1</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Beschreibung: %1</translation>
    </message>
    <message>
        <source>Company: %1</source>
        <translation>Firma: %1</translation>
    </message>
    <message>
        <source>Date Created: %1</source>
        <translation>Erstellungsdatum: %1</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Größe: %1</translation>
    </message>
    <message>
        <source>File Version: %1</source>
        <translation>Dateiversion: %1</translation>
    </message>
    <message>
        <source>%s %s In %s</source>
        <translation>%s %s in %s</translation>
    </message>
    <message>
        <source>No more matched string.</source>
        <translation>Keine weitere Fundstelle.</translation>
    </message>
    <message>
        <source>Do you want to clear all the search histories? The histories include the file names, words and the folders you have searched for.</source>
        <translation>Möchten Sie alle Suchverläufe löschen? Die Verläufe enthalten die Dateinamen, Wörter und Ordner, nach denen bzw. in denen Sie gesucht haben.</translation>
    </message>
    <message>
        <source>The selected operation has been performed, it should be successful. If there is any problem, please report to us.</source>
        <translation>Der gewählte Vorgang wurde ausgeführt und sollte gelungen sein. Falls es ein Problem gibt, melden Sie es uns bitte.</translation>
    </message>
    <message>
        <source>Views selected file in hexadecimal
Hex View</source>
        <translation>Zeigt die ausgewählte Datei hexadezimal an
Hex-Ansicht</translation>
    </message>
    <message>
        <source>Opens containing folder
Open Containing Folder</source>
        <translation>Öffnet den Ordner, der die Datei enthält
Enthaltenden Ordner öffnen</translation>
    </message>
    <message>
        <source>Reverses which items are selected and which are not/Invert Selection</source>
        <translation>Kehrt um, welche Objekte ausgewählt sind und welche nicht/Auswahl umkehren</translation>
    </message>
    <message>
        <source>Copies the selected items to another location
Copy To Folder</source>
        <translation>Kopiert die ausgewählten Objekte an einen anderen Ort
In Ordner kopieren</translation>
    </message>
    <message>
        <source>Moves the selected items to another location
Move To Folder</source>
        <translation>Verschiebt die ausgewählten Objekte an einen anderen Ort
In Ordner verschieben</translation>
    </message>
    <message>
        <source>Renames the selected item
Rename</source>
        <translation>Benennt das ausgewählte Objekt um
Umbenennen</translation>
    </message>
    <message>
        <source>Deletes the selected items
Delete</source>
        <translation>Löscht die ausgewählten Objekte
Löschen</translation>
    </message>
    <message>
        <source>Displays the properties of the selected items
Properties</source>
        <translation>Zeigt die Eigenschaften der ausgewählten Objekte
Eigenschaften</translation>
    </message>
    <message>
        <source>Opens the selected items
Open</source>
        <translation>Öffnet die ausgewählten Objekte
Öffnen</translation>
    </message>
    <message>
        <source>Clears the histories of names, words and folders
Clear Search Histories</source>
        <translation>Löscht die Verläufe der Namen, Wörter und Ordner
Suchverläufe löschen</translation>
    </message>
    <message>
        <source>Registers result files and the folder menu entry with the desktop
Options</source>
        <translation>Meldet Ergebnisdateien und den Eintrag im Ordnermenü bei der Arbeitsumgebung an
Einstellungen</translation>
    </message>
    <message>
        <source>Opens the Norvane web site
Web Site</source>
        <translation>Öffnet die Webseite von Norvane
Webseite</translation>
    </message>
    <message>
        <source>Shows or hides the lines of the selected file that hold its matches
Toggle Preview Pane</source>
        <translation>Zeigt oder verbirgt die Zeilen der ausgewählten Datei mit ihren Fundstellen
Vorschaubereich ein/aus</translation>
    </message>
    <message>
        <source>Searches with the criteria of the left pane
Search</source>
        <translation>Sucht mit den Kriterien des linken Bereichs
Suchen</translation>
    </message>
    <message>
        <source>Moves to the file name box
File Name</source>
        <translation>Wechselt in das Feld für den Dateinamen
Dateiname</translation>
    </message>
    <message>
        <source>Moves to the Search in box
Search In</source>
        <translation>Wechselt in das Feld „Suchen in“
Suchen in</translation>
    </message>
    <message>
        <source>Sifter</source>
        <translation>Sifter</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Starts a new search
New Search</source>
        <translation>Beginnt eine neue Suche
Neue Suche</translation>
    </message>
    <message>
        <source>Opens a saved result file
Open Result File</source>
        <translation>Öffnet eine gespeicherte Ergebnisdatei
Ergebnisdatei öffnen</translation>
    </message>
    <message>
        <source>Saves the search and its results
Save Result</source>
        <translation>Speichert die Suche und ihre Ergebnisse
Ergebnis speichern</translation>
    </message>
    <message>
        <source>Saves the search and its results under a new name
Save Result As</source>
        <translation>Speichert die Suche und ihre Ergebnisse unter einem neuen Namen
Ergebnis speichern als</translation>
    </message>
    <message>
        <source>Opens this result file
Recent File</source>
        <translation>Öffnet diese Ergebnisdatei
Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Copies the selection and put it on the Clipboard
Copy</source>
        <translation>Kopiert die Auswahl in die Zwischenablage
Kopieren</translation>
    </message>
    <message>
        <source>Cuts the selection and put it on the Clipboard
Cut</source>
        <translation>Schneidet die Auswahl aus und legt sie in die Zwischenablage
Ausschneiden</translation>
    </message>
    <message>
        <source>Selects all the items
Select All</source>
        <translation>Wählt alle Objekte aus
Alles auswählen</translation>
    </message>
    <message>
        <source>Moves the bar between the two panes with the keyboard
Split</source>
        <translation>Verschiebt die Trennlinie zwischen den beiden Bereichen mit der Tastatur
Teilen</translation>
    </message>
    <message>
        <source>Displays program information, version number and copyright
About</source>
        <translation>Zeigt Programminformationen, Versionsnummer und Copyright
Über</translation>
    </message>
    <message>
        <source>Quits Sifter; asks whether to save the result
Exit</source>
        <translation>Beendet Sifter; fragt, ob das Ergebnis gespeichert werden soll
Beenden</translation>
    </message>
    <message>
        <source>Opens the user guide
Online Help</source>
        <translation>Öffnet das Benutzerhandbuch
Online-Hilfe</translation>
    </message>
    <message>
        <source>Switches to the next pane
Next Pane</source>
        <translation>Wechselt zum nächsten Bereich
Nächster Bereich</translation>
    </message>
    <message>
        <source>Switches back to the previous pane
Previous Pane</source>
        <translation>Wechselt zurück zum vorigen Bereich
Voriger Bereich</translation>
    </message>
    <message>
        <source>Shows or hides the toolbar
Toggle Toolbar</source>
        <translation>Zeigt oder verbirgt die Werkzeugleiste
Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>Shows or hides the status bar
Toggle Status Bar</source>
        <translation>Zeigt oder verbirgt die Statusleiste
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Displays items by using small icons.
Small Icons</source>
        <translation>Zeigt die Objekte mit kleinen Symbolen an.
Kleine Symbole</translation>
    </message>
    <message>
        <source>Displays items by using large icons.
Large Icons</source>
        <translation>Zeigt die Objekte mit großen Symbolen an.
Große Symbole</translation>
    </message>
    <message>
        <source>Displays items in a list.
List</source>
        <translation>Zeigt die Objekte in einer Liste an.
Liste</translation>
    </message>
    <message>
        <source>Displays detailed information about each item in the window.
Details</source>
        <translation>Zeigt ausführliche Angaben zu jedem Objekt im Fenster an.
Details</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Could not save the result file %1.</source>
        <translation>Die Ergebnisdatei %1 konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save Result As</source>
        <translation>Ergebnis speichern als</translation>
    </message>
    <message>
        <source>Open Result File</source>
        <translation>Ergebnisdatei öffnen</translation>
    </message>
    <message>
        <source>No program could open %1.</source>
        <translation>Kein Programm konnte %1 öffnen.</translation>
    </message>
    <message>
        <source>Please enter a positive integer.</source>
        <translation>Bitte geben Sie eine positive ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Could not open the result file %1: its results would need %2 of memory, more than the %3 Sifter may take for them (a quarter of the free memory, at most 4 GB).</source>
        <translation>Die Ergebnisdatei %1 konnte nicht geöffnet werden: Ihre Ergebnisse bräuchten %2 Arbeitsspeicher, mehr als die %3, die Sifter dafür belegen darf (ein Viertel des freien Speichers, höchstens 4 GB).</translation>
    </message>
    <message>
        <source>Some of your settings could not be read, so Sifter started without them. The settings file as it was is kept as:
%1</source>
        <translation>Einige Ihrer Einstellungen konnten nicht gelesen werden, daher wurde Sifter ohne sie gestartet. Die Einstellungsdatei ist unverändert aufbewahrt als:
%1</translation>
    </message>
    <message>
        <source>These rows were left alone: their records do not name a file in their folder, so the result file may have been altered.
%1</source>
        <translation>Diese Zeilen wurden nicht angetastet: Ihre Einträge benennen keine Datei in ihrem Ordner, die Ergebnisdatei wurde also womöglich verändert.
%1</translation>
    </message>
    <message>
        <source>Row %1: the name is empty.</source>
        <translation>Zeile %1: Der Name ist leer.</translation>
    </message>
    <message>
        <source>Row %1 (%2): the name contains &quot;/&quot;.</source>
        <translation>Zeile %1 (%2): Der Name enthält „/“.</translation>
    </message>
    <message>
        <source>Row %1 (%2): the name is &quot;.&quot; or &quot;..&quot;.</source>
        <translation>Zeile %1 (%2): Der Name ist „.“ oder „..“.</translation>
    </message>
    <message>
        <source>Row %1 (%2): the folder is not an absolute path.</source>
        <translation>Zeile %1 (%2): Der Ordner ist kein absoluter Pfad.</translation>
    </message>
    <message>
        <source>%1 Properties</source>
        <translation>Eigenschaften von %1</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>Pfad:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Erstellt:</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Letzter Zugriff:</translation>
    </message>
    <message>
        <source>Permissions:</source>
        <translation>Zugriffsrechte:</translation>
    </message>
    <message>
        <source>Link target:</source>
        <translation>Verknüpfungsziel:</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Byte)</translation>
    </message>
    <message>
        <source>Could not read the properties of %1.</source>
        <translation>Die Eigenschaften von %1 konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>A file name cannot be empty.</source>
        <translation>Ein Dateiname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>A file name cannot contain &quot;/&quot;.</source>
        <translation>Ein Dateiname darf kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>A file name cannot be &quot;.&quot; or &quot;..&quot;.</source>
        <translation>Ein Dateiname darf nicht „.“ oder „..“ sein.</translation>
    </message>
    <message>
        <source>Cannot rename %1: an item named %2 already exists in its folder.</source>
        <translation>%1 kann nicht umbenannt werden: In seinem Ordner gibt es bereits ein Objekt namens %2.</translation>
    </message>
    <message>
        <source>Cannot rename %1: %2.</source>
        <translation>%1 kann nicht umbenannt werden: %2.</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the Trash?</source>
        <translation>„%1“ in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Move these %1 items to the Trash?</source>
        <translation>Diese %1 Objekte in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Permanently delete &quot;%1&quot;?

It cannot be restored.</source>
        <translation>„%1“ endgültig löschen?

Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Permanently delete these %1 items?

They cannot be restored.</source>
        <translation>Diese %1 Objekte endgültig löschen?

Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the Trash: %2.

Delete it permanently? It cannot be restored.</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden: %2.

Endgültig löschen? Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2.</source>
        <translation>%1 kann nicht gelöscht werden: %2.</translation>
    </message>
    <message>
        <source>Row %1 (%2): the folder has a &quot;.&quot; or &quot;..&quot; component.</source>
        <translation>Zeile %1 (%2): Der Ordner enthält einen Bestandteil „.“ oder „..“.</translation>
    </message>
    <message>
        <source>Row %1 (%2): the folder is not one of the folders searched.</source>
        <translation>Zeile %1 (%2): Der Ordner gehört nicht zu den durchsuchten Ordnern.</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>a special file (a device, FIFO or socket)</source>
        <translation>eine Spezialdatei (ein Gerät, FIFO oder Socket)</translation>
    </message>
    <message>
        <source>a file of %1</source>
        <translation>eine Datei von %1</translation>
    </message>
    <message>
        <source>an empty folder</source>
        <translation>ein leerer Ordner</translation>
    </message>
    <message>
        <source>a folder of 1 item</source>
        <translation>ein Ordner mit 1 Objekt</translation>
    </message>
    <message>
        <source>a folder of %1 items</source>
        <translation>ein Ordner mit %1 Objekten</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was %2 when it was found; it is now %3.</source>
        <translation>„%1“ war beim Finden %2; jetzt ist es %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has changed since the search: it is now %2, modified %3.</source>
        <translation>„%1“ hat sich seit der Suche verändert: Es ist jetzt %2, geändert %3.</translation>
    </message>
    <message>
        <source>Cannot examine %1: %2.</source>
        <translation>%1 kann nicht untersucht werden: %2.</translation>
    </message>
    <message>
        <source>%1

Move it to the Trash anyway?</source>
        <translation>%1

Trotzdem in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>%1

Delete it permanently anyway? It cannot be restored.</source>
        <translation>%1

Trotzdem endgültig löschen? Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>%1

Rename it anyway?</source>
        <translation>%1

Trotzdem umbenennen?</translation>
    </message>
    <message>
        <source>%1

Move it anyway?</source>
        <translation>%1

Trotzdem verschieben?</translation>
    </message>
    <message>
        <source>Permanently delete &quot;%1&quot;, %2, with everything in it?

It cannot be restored.</source>
        <translation>„%1“, %2, mit seinem gesamten Inhalt endgültig löschen?

Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Permanently delete these %1 items?

%2 of them are folders, deleted with everything in them:
%3

They cannot be restored.</source>
        <translation>Diese %1 Objekte endgültig löschen?

%2 davon sind Ordner, die mit ihrem gesamten Inhalt gelöscht werden:
%3

Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>%1, %3, cannot be moved to the Trash: %2.

Delete it permanently, with everything in it? It cannot be restored.</source>
        <translation>%1, %3, kann nicht in den Papierkorb verschoben werden: %2.

Mit dem gesamten Inhalt endgültig löschen? Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Do the &amp;same for the other items like this</source>
        <translation>Für alle weiteren Objekte dieser Art &amp;genauso verfahren</translation>
    </message>
    <message>
        <source>&quot;%1&quot;, %2</source>
        <translation>„%1“, %2</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Copying to %1</source>
        <translation>Kopieren nach %1</translation>
    </message>
    <message>
        <source>Moving to %1</source>
        <translation>Verschieben nach %1</translation>
    </message>
    <message>
        <source>File %1 of %2</source>
        <translation>Datei %1 von %2</translation>
    </message>
    <message>
        <source>These items could not be copied:
%1</source>
        <translation>Diese Objekte konnten nicht kopiert werden:
%1</translation>
    </message>
    <message>
        <source>These items could not be moved:
%1</source>
        <translation>Diese Objekte konnten nicht verschoben werden:
%1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Name Conflict</source>
        <translation>Namenskonflikt</translation>
    </message>
    <message>
        <source>A file named &quot;%1&quot; already exists in &quot;%2&quot;.</source>
        <translation>In „%2“ gibt es bereits eine Datei namens „%1“.</translation>
    </message>
    <message>
        <source>A folder named &quot;%1&quot; already exists in &quot;%2&quot;.

Merge puts the items into it and asks about each file that is in both.</source>
        <translation>In „%2“ gibt es bereits einen Ordner namens „%1“.

Zusammenführen legt die Objekte dort hinein und fragt bei jeder Datei nach, die in beiden vorkommt.</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>&amp;Überspringen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Keep both: the new item gets a free name</source>
        <translation>Beide behalten: Das neue Objekt erhält einen freien Namen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply to all conflicts</source>
        <translation>Auf &amp;alle Konflikte anwenden</translation>
    </message>
    <message>
        <source>A quotation mark is not closed.</source>
        <translation>Ein Anführungszeichen ist nicht geschlossen.</translation>
    </message>
    <message>
        <source>Quotation marks must enclose a whole argument, with blanks around them.</source>
        <translation>Anführungszeichen müssen ein ganzes Argument umschließen, mit Leerzeichen davor und danach.</translation>
    </message>
    <message>
        <source>A backslash may only stand inside quotation marks, before &quot;, `, $ or another backslash.</source>
        <translation>Ein Backslash darf nur innerhalb von Anführungszeichen stehen, vor &quot;, `, $ oder einem weiteren Backslash.</translation>
    </message>
    <message>
        <source>A field code such as %f cannot stand inside quotation marks.</source>
        <translation>Ein Feldcode wie %f darf nicht innerhalb von Anführungszeichen stehen.</translation>
    </message>
    <message>
        <source>A % must begin a field code: %f or %F for the file, %u or %U for its address, %% for a percent sign.</source>
        <translation>Ein % muss einen Feldcode beginnen: %f oder %F für die Datei, %u oder %U für ihre Adresse, %% für ein Prozentzeichen.</translation>
    </message>
    <message>
        <source>%F, %U and %i must stand alone as a whole argument.</source>
        <translation>%F, %U und %i müssen allein als ganzes Argument stehen.</translation>
    </message>
    <message>
        <source>Only one of %f, %F, %u and %U may stand in the command.</source>
        <translation>Nur eines von %f, %F, %u und %U darf im Befehl stehen.</translation>
    </message>
    <message>
        <source>The command must begin with the program&apos;s name.</source>
        <translation>Der Befehl muss mit dem Namen des Programms beginnen.</translation>
    </message>
    <message>
        <source>The program must be a name found in the search path or a path that begins with /.</source>
        <translation>Das Programm muss ein Name im Suchpfad oder ein Pfad sein, der mit / beginnt.</translation>
    </message>
    <message>
        <source>No program &quot;%1&quot; was found.</source>
        <translation>Es wurde kein Programm „%1“ gefunden.</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Choose the program to open &quot;%1&quot; with:</source>
        <translation>Wählen Sie das Programm, mit dem „%1“ geöffnet wird:</translation>
    </message>
    <message>
        <source>%1 could not be started to open %2: %3.</source>
        <translation>%1 konnte nicht gestartet werden, um %2 zu öffnen: %3.</translation>
    </message>
    <message>
        <source>its command line in the desktop entry is malformed</source>
        <translation>seine Befehlszeile im Desktop-Eintrag ist fehlerhaft</translation>
    </message>
    <message>
        <source>Search applications</source>
        <translation>Anwendungen suchen</translation>
    </message>
    <message>
        <source>Other applications</source>
        <translation>Andere Anwendungen</translation>
    </message>
    <message>
        <source>Other program...</source>
        <translation>Anderes Programm …</translation>
    </message>
    <message>
        <source>&amp;Command:</source>
        <translation>&amp;Befehl:</translation>
    </message>
    <message>
        <source>program and arguments; the file at %f, else last</source>
        <translation>Programm und Argumente; die Datei bei %f, sonst am Ende</translation>
    </message>
    <message>
        <source>&amp;Always use for this file type: %1 (%2)</source>
        <translation>I&amp;mmer für diesen Dateityp verwenden: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 was started, but could not be kept as the program for %2: %3.</source>
        <translation>%1 wurde gestartet, konnte aber nicht als Programm für %2 festgelegt werden: %3.</translation>
    </message>
    <message>
        <source>Registered: .sifter opens in Sifter</source>
        <translation>Registriert: .sifter wird in Sifter geöffnet</translation>
    </message>
    <message>
        <source>Registered: .sifter opens in %1, its default application</source>
        <translation>Registriert: .sifter wird in %1 geöffnet, seiner Standardanwendung</translation>
    </message>
    <message>
        <source>Not registered</source>
        <translation>Nicht registriert</translation>
    </message>
    <message>
        <source>Folder action installed for: %1</source>
        <translation>Ordneraktion eingerichtet für: %1</translation>
    </message>
    <message>
        <source>Folder action not installed</source>
        <translation>Ordneraktion nicht eingerichtet</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Could not open %1: it is not a Sifter result file.</source>
        <translation>%1 konnte nicht geöffnet werden: Es ist keine Sifter-Ergebnisdatei.</translation>
    </message>
    <message>
        <source>Could not open the result file %1: it is damaged, cut short inside its header.</source>
        <translation>Die Ergebnisdatei %1 konnte nicht geöffnet werden: Sie ist beschädigt und endet mitten im Dateikopf.</translation>
    </message>
    <message>
        <source>Some of your settings are in a file larger than a settings file can be (64 MB), so Sifter did not read it and leaves it as it is; settings changed now are not saved:
%1</source>
        <translation>Einige Ihrer Einstellungen liegen in einer Datei, die größer ist, als eine Einstellungsdatei sein kann (64 MB). Sifter hat sie daher nicht gelesen und lässt sie unverändert; jetzt geänderte Einstellungen werden nicht gespeichert:
%1</translation>
    </message>
    <message>
        <source>%1 matches</source>
        <translation>%1 Treffer</translation>
    </message>
    <message>
        <source>%1 matches in the first %2 read</source>
        <translation>%1 Treffer in den ersten gelesenen %2</translation>
    </message>
    <message>
        <source>... %1 more</source>
        <translation>… %1 weitere</translation>
    </message>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 ist ein Ordner.</translation>
    </message>
    <message>
        <source>%1 cannot be read: it may have been moved or deleted.</source>
        <translation>%1 kann nicht gelesen werden: Es wurde womöglich verschoben oder gelöscht.</translation>
    </message>
    <message>
        <source>Not shown: this row does not name a file inside the folders searched.</source>
        <translation>Nicht angezeigt: Diese Zeile benennt keine Datei in den durchsuchten Ordnern.</translation>
    </message>
    <message>
        <source>found as UTF-16LE</source>
        <translation>als UTF-16LE gefunden</translation>
    </message>
    <message>
        <source>found as UTF-8</source>
        <translation>als UTF-8 gefunden</translation>
    </message>
    <message>
        <source>Binary file: %1 matches</source>
        <translation>Binärdatei: %1 Treffer</translation>
    </message>
    <message>
        <source>Type: %1    Size: %2    Modified: %3    Created: %4</source>
        <translation>Typ: %1    Größe: %2    Geändert: %3    Erstellt: %4</translation>
    </message>
    <message>
        <source>The file no longer holds the words it was found with.</source>
        <translation>Die Datei enthält die Wörter nicht mehr, mit denen sie gefunden wurde.</translation>
    </message>
    <message>
        <source>lines are not counted this far into the file: byte offsets shown</source>
        <translation>so weit in der Datei werden keine Zeilen gezählt: Byte-Positionen angezeigt</translation>
    </message>
    <message>
        <source>the file changed since the search</source>
        <translation>die Datei hat sich seit der Suche verändert</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>Wird gelesen …</translation>
    </message>
    <message>
        <source>First lines of %1</source>
        <translation>Erste Zeilen von %1</translation>
    </message>
    <message>
        <source>1 match</source>
        <translation>1 Treffer</translation>
    </message>
    <message>
        <source>1 match in the first %1 read</source>
        <translation>1 Treffer in den ersten gelesenen %1</translation>
    </message>
    <message>
        <source>Binary file: 1 match</source>
        <translation>Binärdatei: 1 Treffer</translation>
    </message>
    <message>
        <source>Offset %1 of %2 bytes</source>
        <translation>Position %1 von %2 Byte</translation>
    </message>
    <message>
        <source>Goes on with what the window shows and closes it</source>
        <translation>Fährt mit dem fort, was das Fenster zeigt, und schließt es</translation>
    </message>
    <message>
        <source>Closes the window; nothing more is done</source>
        <translation>Schließt das Fenster; sonst geschieht nichts</translation>
    </message>
    <message>
        <source>The item there is replaced by the new one</source>
        <translation>Das dortige Objekt wird durch das neue ersetzt</translation>
    </message>
    <message>
        <source>The new folder&apos;s contents go into the folder there</source>
        <translation>Der Inhalt des neuen Ordners kommt in den dortigen Ordner</translation>
    </message>
    <message>
        <source>This item is left out; the others go on</source>
        <translation>Dieses Objekt wird ausgelassen; die anderen werden fortgesetzt</translation>
    </message>
    <message>
        <source>Sifter version %1
%2

Sifter finds files by name, by words in their contents, by size, by date and by attributes, and keeps whole searches in result files.

This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version (%3).

This program is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License for more details: https://www.gnu.org/licenses/gpl-3.0.html</source>
        <translation>Sifter Version %1
%2

Sifter findet Dateien nach Namen, nach Wörtern in ihrem Inhalt, nach Größe, nach Datum und nach Attributen und bewahrt ganze Suchen in Ergebnisdateien auf.

Dieses Programm ist freie Software: Sie können es unter den Bedingungen der GNU General Public License, wie von der Free Software Foundation veröffentlicht, weitergeben und/oder modifizieren, entweder gemäß Version 3 der Lizenz oder (nach Ihrer Wahl) jeder neueren Version (%3).

Dieses Programm wird in der Hoffnung bereitgestellt, dass es nützlich sein wird, jedoch OHNE JEDE GEWÄHRLEISTUNG, sogar ohne die implizite Gewährleistung der MARKTREIFE oder der VERWENDBARKEIT FÜR EINEN BESTIMMTEN ZWECK. Siehe die GNU General Public License für weitere Einzelheiten: https://www.gnu.org/licenses/gpl-3.0.html</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <source>could not create a file in %1: %2</source>
        <translation>in %1 konnte keine Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>could not create %1: %2</source>
        <translation>%1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>could not replace %1: %2</source>
        <translation>%1 konnte nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>could not copy %1: a folder has taken the place of the file</source>
        <translation>%1 konnte nicht kopiert werden: ein Ordner hat den Platz der Datei eingenommen</translation>
    </message>
    <message>
        <source>could not copy %1: a link has taken the place of the file</source>
        <translation>%1 konnte nicht kopiert werden: ein symbolischer Link hat den Platz der Datei eingenommen</translation>
    </message>
    <message>
        <source>could not copy %1: a FIFO has taken the place of the file</source>
        <translation>%1 konnte nicht kopiert werden: eine benannte Pipe (FIFO) hat den Platz der Datei eingenommen</translation>
    </message>
    <message>
        <source>could not copy %1: a socket has taken the place of the file</source>
        <translation>%1 konnte nicht kopiert werden: ein Socket hat den Platz der Datei eingenommen</translation>
    </message>
    <message>
        <source>could not copy %1: a device has taken the place of the file</source>
        <translation>%1 konnte nicht kopiert werden: eine Gerätedatei hat den Platz der Datei eingenommen</translation>
    </message>
    <message>
        <source>could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>could not examine the copy: %1</source>
        <translation>die Kopie konnte nicht untersucht werden: %1</translation>
    </message>
    <message>
        <source>could not check the copy of %1: %2</source>
        <translation>die Kopie von %1 konnte nicht geprüft werden: %2</translation>
    </message>
    <message>
        <source>could not copy %1: it changed while it was copied</source>
        <translation>%1 konnte nicht kopiert werden: die Datei hat sich während des Kopierens geändert</translation>
    </message>
    <message>
        <source>the copy of %1 does not have its size</source>
        <translation>die Kopie von %1 ist nicht so groß wie das Original</translation>
    </message>
    <message>
        <source>could not read the link %1: %2</source>
        <translation>der symbolische Link %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>could not create a temporary entry in %1: %2</source>
        <translation>in %1 konnte kein temporärer Eintrag angelegt werden: %2</translation>
    </message>
    <message>
        <source>%1 is a device or a socket, which cannot be copied</source>
        <translation>%1 ist eine Gerätedatei oder ein Socket, die sich nicht kopieren lassen</translation>
    </message>
    <message>
        <source>could not write the copy: %1</source>
        <translation>die Kopie konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>could not copy: %1</source>
        <translation>das Kopieren ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>could not move into %1: %2</source>
        <translation>konnte nicht nach %1 verschoben werden: %2</translation>
    </message>
    <message>
        <source>could not copy into %1: %2</source>
        <translation>konnte nicht nach %1 kopiert werden: %2</translation>
    </message>
    <message>
        <source>could not move &quot;%1&quot;: it does not name one entry</source>
        <translation>„%1“ konnte nicht verschoben werden: es benennt keinen einzelnen Eintrag</translation>
    </message>
    <message>
        <source>could not copy &quot;%1&quot;: it does not name one entry</source>
        <translation>„%1“ konnte nicht kopiert werden: es benennt keinen einzelnen Eintrag</translation>
    </message>
    <message>
        <source>could not move the folder %1 into itself</source>
        <translation>der Ordner %1 konnte nicht in sich selbst verschoben werden</translation>
    </message>
    <message>
        <source>could not copy the folder %1 into itself</source>
        <translation>der Ordner %1 konnte nicht in sich selbst kopiert werden</translation>
    </message>
    <message>
        <source>could not find a free name for %1 in %2</source>
        <translation>in %2 wurde kein freier Name für %1 gefunden</translation>
    </message>
    <message>
        <source>could not replace the folder %1 with a file: both are kept</source>
        <translation>der Ordner %1 konnte nicht durch eine Datei ersetzt werden: beide bleiben erhalten</translation>
    </message>
    <message>
        <source>could not replace the file %1 with a folder: both are kept</source>
        <translation>die Datei %1 konnte nicht durch einen Ordner ersetzt werden: beide bleiben erhalten</translation>
    </message>
    <message>
        <source>could not examine %1: %2</source>
        <translation>%1 konnte nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>could not move %1 to %2: %3</source>
        <translation>%1 konnte nicht nach %2 verschoben werden: %3</translation>
    </message>
    <message>
        <source>could not read the folder %1: %2</source>
        <translation>der Ordner %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>could not create the folder %1: %2</source>
        <translation>der Ordner %1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>could not create %1: an entry of that name appeared meanwhile</source>
        <translation>%1 konnte nicht angelegt werden: inzwischen ist ein Eintrag dieses Namens entstanden</translation>
    </message>
    <message>
        <source>could not remove the folder %1 after moving what it held: %2</source>
        <translation>der Ordner %1 konnte nach dem Verschieben seines Inhalts nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>the copy of %1 could not be written to disk, so the original is kept: %2</source>
        <translation>die Kopie von %1 konnte nicht auf den Datenträger geschrieben werden, daher bleibt das Original erhalten: %2</translation>
    </message>
    <message>
        <source>could not examine %1 to remove it after copying it: %2</source>
        <translation>%1 konnte nach dem Kopieren nicht zum Entfernen untersucht werden: %2</translation>
    </message>
    <message>
        <source>changed during the move: kept at both places</source>
        <translation>während des Verschiebens geändert: an beiden Orten behalten</translation>
    </message>
    <message>
        <source>could not remove %1 after copying it: %2</source>
        <translation>%1 konnte nach dem Kopieren nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a folder of the user&apos;s own</source>
        <translation>%1 ist kein eigener Ordner des Benutzers</translation>
    </message>
    <message>
        <source>it is not an entry of a folder</source>
        <translation>es ist kein Eintrag eines Ordners</translation>
    </message>
    <message>
        <source>cannot create the Trash folder %1</source>
        <translation>der Papierkorb-Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it is the top folder of a file system</source>
        <translation>es ist der oberste Ordner eines Dateisystems</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>it is on another mount than its Trash folder %1, and the Trash never copies</source>
        <translation>es liegt in einem anderen eingehängten Dateisystem als sein Papierkorb-Ordner %1, und der Papierkorb kopiert nie</translation>
    </message>
    <message>
        <source>cannot move it into %1: %2</source>
        <translation>es kann nicht nach %1 verschoben werden: %2</translation>
    </message>
    <message>
        <source>no free name in %1</source>
        <translation>kein freier Name in %1</translation>
    </message>
</context>
<context>
    <name>TypeNames</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1-Datei</translation>
    </message>
</context>
<context>
    <name>sifter-cli</name>
    <message>
        <source>Usage: sifter-cli [options] [FOLDER...]
Searches the folders (and their subfolders) for files by name, content, size, date and
attributes, and prints the path of each file found (its folder as given, joined with its
name), the moment it is found.

Folders:
  FOLDER...                  folders to search (default: the current folder)
      --folders TEXT         folders separated by &quot;;&quot; (instead of FOLDER...)
Name and content:
  -n, --names TEXT           file-name patterns separated by &quot;;&quot; (* and ? are wildcards;
                             a name without them matches every name containing it)
  -w, --words TEXT           words to look for in the content, separated by blanks
  -m, --mode MODE            any (default), all, phrase or without (the words)
      --regex-names          the names text is one regular expression (RE2 syntax), found
                             in the name or part of it (^ and $ anchor); case is ignored
                             unless --case-sensitive
      --regex-words          the words text is one regular expression, looked for in the
                             bytes of each file as they are (UTF-8 text; no UTF-16 form),
                             with case, ^ and $ at each line; modes any and without only
  -x, --hex                  the words are hexadecimal byte values (e.g. &quot;0d0a 4d5a&quot;)
      --no-unicode           look for the words as typed only, not their UTF-16/UTF-8 forms
      --threads N            list folders and test file contents on N threads (default:
                             one per core, at least 4); the output is the same for
                             every N
      --case-sensitive       a pattern without * or ? must occur in the name with the
                             same case (patterns with * or ? ignore case all the same;
                             words are always compared with case)
      --short-names          accept matches through 8.3 short names (none on Linux)
      --exclude TEXT         skip these, separated by &quot;;&quot;: an entry with a &quot;/&quot; is a folder,
                             skipped with everything below it (&quot;~/&quot; is the home; without
                             a leading &quot;/&quot; it lies in each searched folder); any other is a
                             name pattern that skips every folder and file it matches
Size:
      --size-unit UNIT       bytes (default), kb, mb or gb
      --size1 OPN            first size test: =N, &gt;=N or &lt;=N (e.g. &quot;&gt;=5&quot;)
      --size2 OPN            second size test
Date:
      --date-kind KIND       modified (default), created or accessed
      --date-part PART       date, time or datetime (default: as the values are written)
      --date1 OPVALUE        first date test: =VALUE, &gt;=VALUE or &lt;=VALUE, where VALUE is
                             YYYY-MM-DD, HH:MM[:SS] or YYYY-MM-DDTHH:MM[:SS] in local time,
                             or counted back from the start of the search: -N and min, h,
                             d, w or mo (e.g. &quot;&gt;=-7d&quot;: the last 7 days), today or yesterday
      --date2 OPVALUE        second date test
Attributes:
      --no-hidden            skip hidden files (names starting with &quot;.&quot;)
      --no-readonly          skip read-only files
      --no-system            skip devices, FIFOs and sockets
      --no-subfolders        search only the folders named, not their subfolders
Result files:
      --criteria FILE        start from the criteria of a result file; options override them
  -o, --save FILE            write the result file of this search (its folders absolute)
      --list FILE            print the records of a result file instead of searching
                             (for --criteria and --list, FILE &quot;-&quot; reads standard input)
Output:
  -l, --long                 tab-separated: path, size, attributes, last-write time, match offset
  -0, --null                 end each record with a NUL byte instead of a newline
      --show-lines[=N]       under each path, its match lines as LINE:TEXT with N lines
                             of context (default 0), as grep -n prints them
      --color[=WHEN]         colour the words of --show-lines: auto (default: on a
                             terminal), always or never
  -h, --help                 show this help
      --version              show the version and the licence

On a terminal, control characters in names show as &quot;?&quot;; into a pipe or a file, and
with -0, names are printed byte for byte. Standard output, when it is a file, and the
--save file are never searched; when the folders hold them, a line on standard error says so.

Exit status: 0 when a file was found (or listed), 1 when none, 2 on trouble, and
128 + the signal&apos;s number when Ctrl-C (or another stop signal) ended the search.
Ctrl-C stops the search; what was found so far is still saved with --save.
</source>
        <translation>Aufruf: sifter-cli [Optionen] [ORDNER...]
Durchsucht die Ordner (und ihre Unterordner) nach Dateien nach Name, Inhalt, Größe, Datum
und Attributen und gibt den Pfad jeder gefundenen Datei aus (ihren Ordner wie angegeben,
verbunden mit ihrem Namen), sobald sie gefunden ist.

Ordner:
  ORDNER...                  zu durchsuchende Ordner (Vorgabe: der aktuelle Ordner)
      --folders TEXT         Ordner, getrennt durch &quot;;&quot; (anstelle von ORDNER...)
Name und Inhalt:
  -n, --names TEXT           Muster für Dateinamen, getrennt durch &quot;;&quot; (* und ? sind Platzhalter;
                             ein Name ohne sie passt auf jeden Namen, der ihn enthält)
  -w, --words TEXT           im Inhalt gesuchte Wörter, getrennt durch Leerzeichen
  -m, --mode MODUS           any (Vorgabe: eines), all (alle), phrase (Wortfolge) oder
                             without (ohne die Wörter)
      --regex-names          der Namenstext ist ein regulärer Ausdruck (RE2-Syntax), gesucht
                             im Namen oder einem Teil davon (^ und $ verankern); die
                             Groß-/Kleinschreibung zählt nur mit --case-sensitive
      --regex-words          der Wörtertext ist ein regulärer Ausdruck, gesucht in den Bytes
                             jeder Datei, wie sie sind (UTF-8-Text; keine UTF-16-Form), mit
                             Groß-/Kleinschreibung, ^ und $ an jeder Zeile; nur die Modi
                             any und without
  -x, --hex                  die Wörter sind hexadezimale Bytewerte (z. B. &quot;0d0a 4d5a&quot;)
      --no-unicode           die Wörter nur wie eingegeben suchen, nicht ihre UTF-16/UTF-8-Formen
      --threads N            Ordner auflisten und Dateiinhalte prüfen auf N Threads (Vorgabe:
                             einer je Kern, mindestens 4); die Ausgabe ist für jedes N
                             dieselbe
      --case-sensitive       ein Muster ohne * oder ? muss mit gleicher Groß-/Kleinschreibung
                             im Namen vorkommen (Muster mit * oder ? beachten sie trotzdem
                             nicht; Wörter werden immer mit ihr verglichen)
      --short-names          Treffer über 8.3-Kurznamen zulassen (unter Linux gibt es keine)
      --exclude TEXT         diese überspringen, getrennt durch &quot;;&quot;: ein Eintrag mit &quot;/&quot; ist ein
                             Ordner, der mit allem darunter übersprungen wird (&quot;~/&quot; ist das
                             Home-Verzeichnis; ohne führendes &quot;/&quot; liegt er in jedem durchsuchten
                             Ordner); jeder andere ist ein Namensmuster, das jeden passenden
                             Ordner und jede passende Datei überspringt
Größe:
      --size-unit EINHEIT    bytes (Vorgabe), kb, mb oder gb
      --size1 OPN            erster Größentest: =N, &gt;=N oder &lt;=N (z. B. &quot;&gt;=5&quot;)
      --size2 OPN            zweiter Größentest
Datum:
      --date-kind ART        modified (Vorgabe: geändert), created (erstellt) oder
                             accessed (letzter Zugriff)
      --date-part TEIL       date, time oder datetime (Vorgabe: wie die Werte geschrieben sind)
      --date1 OPWERT         erster Datumstest: =WERT, &gt;=WERT oder &lt;=WERT, wobei WERT
                             YYYY-MM-DD, HH:MM[:SS] oder YYYY-MM-DDTHH:MM[:SS] in Ortszeit ist
                             oder vom Beginn der Suche zurückgezählt: -N und min, h, d, w oder
                             mo (z. B. &quot;&gt;=-7d&quot;: die letzten 7 Tage), today oder yesterday
      --date2 OPWERT         zweiter Datumstest
Attribute:
      --no-hidden            versteckte Dateien überspringen (Namen, die mit &quot;.&quot; beginnen)
      --no-readonly          schreibgeschützte Dateien überspringen
      --no-system            Geräte, FIFOs und Sockets überspringen
      --no-subfolders        nur die genannten Ordner durchsuchen, nicht ihre Unterordner
Ergebnisdateien:
      --criteria DATEI       mit den Kriterien einer Ergebnisdatei beginnen; Optionen ersetzen sie
  -o, --save DATEI           die Ergebnisdatei dieser Suche schreiben (ihre Ordner absolut)
      --list DATEI           die Einträge einer Ergebnisdatei ausgeben, statt zu suchen
                             (bei --criteria und --list liest DATEI &quot;-&quot; die Standardeingabe)
Ausgabe:
  -l, --long                 durch Tabulatoren getrennt: Pfad, Größe, Attribute, letzte
                             Änderung, Trefferposition
  -0, --null                 jeden Eintrag mit einem NUL-Byte statt einem Zeilenumbruch beenden
      --show-lines[=N]       unter jedem Pfad seine Trefferzeilen als ZEILE:TEXT mit N Zeilen
                             Kontext (Vorgabe 0), wie grep -n sie ausgibt
      --color[=WANN]         die Wörter von --show-lines einfärben: auto (Vorgabe: auf einem
                             Terminal), always (immer) oder never (nie)
  -h, --help                 diese Hilfe anzeigen
      --version              die Version und die Lizenz anzeigen

Auf einem Terminal erscheinen Steuerzeichen in Namen als &quot;?&quot;; in eine Pipe oder eine Datei
und mit -0 werden Namen Byte für Byte ausgegeben. Die Standardausgabe, wenn sie eine Datei
ist, und die Datei von --save werden nie durchsucht; liegen sie in den Ordnern, sagt das
eine Zeile auf der Standardfehlerausgabe.

Rückgabewert: 0, wenn eine Datei gefunden (oder aufgelistet) wurde, 1, wenn keine, 2 bei
Problemen, und 128 + die Nummer des Signals, wenn Strg+C (oder ein anderes Stoppsignal) die
Suche beendet hat. Strg+C hält die Suche an; das bisher Gefundene wird mit --save trotzdem
gespeichert.
</translation>
    </message>
    <message>
        <source>%1: takes no value</source>
        <translation>%1: nimmt keinen Wert</translation>
    </message>
    <message>
        <source>%1: missing value</source>
        <translation>%1: Wert fehlt</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1: empty file name</source>
        <translation>%1: leerer Dateiname</translation>
    </message>
    <message>
        <source>%1: expected a whole number from 0 to %2, got %3</source>
        <translation>%1: erwartet eine ganze Zahl von 0 bis %2, erhalten %3</translation>
    </message>
    <message>
        <source>%1: expected %2, got %3</source>
        <translation>%1: erwartet %2, erhalten %3</translation>
    </message>
    <message>
        <source>%1: N must be a whole number from 0 to 4294967295, got %2</source>
        <translation>%1: N muss eine ganze Zahl von 0 bis 4294967295 sein, erhalten %2</translation>
    </message>
    <message>
        <source>%1: expected =N, &gt;=N or &lt;=N, got %2</source>
        <translation>%1: erwartet =N, &gt;=N oder &lt;=N, erhalten %2</translation>
    </message>
    <message>
        <source>%1: expected a whole number from 1 to %2, got %3</source>
        <translation>%1: erwartet eine ganze Zahl von 1 bis %2, erhalten %3</translation>
    </message>
    <message>
        <source>%1: empty text</source>
        <translation>%1: leerer Text</translation>
    </message>
    <message>
        <source>%1: the text is %2 bytes long; at most %3 fit</source>
        <translation>%1: der Text ist %2 Byte lang; höchstens %3 passen</translation>
    </message>
    <message>
        <source>%1: expected =VALUE, &gt;=VALUE or &lt;=VALUE with VALUE a real date or time from 1900 on, as YYYY-MM-DD, HH:MM[:SS] or YYYY-MM-DDTHH:MM[:SS], or a time back from now as -N and min, h, d, w or mo, today or yesterday, got %2</source>
        <translation>%1: erwartet =WERT, &gt;=WERT oder &lt;=WERT, mit WERT als echtem Datum oder echter Uhrzeit ab 1900, als YYYY-MM-DD, HH:MM[:SS] oder YYYY-MM-DDTHH:MM[:SS], oder als Zeit zurück ab jetzt: -N und min, h, d, w oder mo, today oder yesterday, erhalten %2</translation>
    </message>
    <message>
        <source>--show-lines prints lines of text and cannot be parsed with -0</source>
        <translation>--show-lines gibt Textzeilen aus, die sich mit -0 nicht zerlegen lassen</translation>
    </message>
    <message>
        <source>--show-lines shows the lines of a search, not of --list</source>
        <translation>--show-lines zeigt die Zeilen einer Suche, nicht die von --list</translation>
    </message>
    <message>
        <source>--list prints a result file and takes no search options or folders</source>
        <translation>--list gibt eine Ergebnisdatei aus und nimmt keine Suchoptionen oder Ordner</translation>
    </message>
    <message>
        <source>give the folders either as arguments or with --folders, not both</source>
        <translation>die Ordner entweder als Argumente oder mit --folders angeben, nicht beides</translation>
    </message>
    <message>
        <source>empty folder name</source>
        <translation>leerer Ordnername</translation>
    </message>
    <message>
        <source>folder %1 contains &apos;;&apos;, which separates folders</source>
        <translation>Ordner %1 enthält &apos;;&apos;, das Ordner trennt</translation>
    </message>
    <message>
        <source>the folders joined with &apos;;&apos; are %1 bytes long; at most %2 fit</source>
        <translation>die mit &apos;;&apos; verbundenen Ordner sind %1 Byte lang; höchstens %2 passen</translation>
    </message>
    <message>
        <source>--date1 and --date2 differ in form; choose the compared part with --date-part</source>
        <translation>--date1 und --date2 haben verschiedene Formen; wählen Sie den verglichenen Teil mit --date-part</translation>
    </message>
    <message>
        <source>%1: the compared part needs a date (YYYY-MM-DD)</source>
        <translation>%1: der verglichene Teil braucht ein Datum (YYYY-MM-DD)</translation>
    </message>
    <message>
        <source>%1: the compared part needs a time (HH:MM[:SS])</source>
        <translation>%1: der verglichene Teil braucht eine Uhrzeit (HH:MM[:SS])</translation>
    </message>
    <message>
        <source>%1: the compared part needs a date and a time (YYYY-MM-DDTHH:MM[:SS])</source>
        <translation>%1: der verglichene Teil braucht Datum und Uhrzeit (YYYY-MM-DDTHH:MM[:SS])</translation>
    </message>
    <message>
        <source>--hex: &apos;%1&apos; is not hexadecimal (pairs of digits 0-9, a-f)</source>
        <translation>--hex: &apos;%1&apos; ist nicht hexadezimal (Paare der Ziffern 0-9, a-f)</translation>
    </message>
    <message>
        <source>--regex-words: the words are one expression; the modes are any and without</source>
        <translation>--regex-words: die Wörter sind ein Ausdruck; die Modi sind any und without</translation>
    </message>
    <message>
        <source>--show-lines cannot show the lines of a word expression (--regex-words)</source>
        <translation>--show-lines kann die Zeilen eines Wortausdrucks (--regex-words) nicht zeigen</translation>
    </message>
    <message>
        <source>cannot catch Ctrl-C; it will end the search without saving</source>
        <translation>Strg+C kann nicht abgefangen werden; es beendet die Suche ohne Speichern</translation>
    </message>
    <message>
        <source>cannot tell the current folder, against which &apos;%1&apos; is saved: %2</source>
        <translation>der aktuelle Ordner, gegen den &apos;%1&apos; gespeichert wird, ist nicht bestimmbar: %2</translation>
    </message>
    <message>
        <source>the folders made absolute are %1 bytes long; at most %2 fit a result file</source>
        <translation>die absolut gemachten Ordner sind %1 Byte lang; höchstens %2 passen in eine Ergebnisdatei</translation>
    </message>
    <message>
        <source>standard output: %1</source>
        <translation>Standardausgabe: %1</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>die Standardausgabe</translation>
    </message>
    <message>
        <source>the result file &apos;%1&apos;</source>
        <translation>die Ergebnisdatei &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 lies in the searched folders; it was left out of the search</source>
        <translation>%1 liegt in den durchsuchten Ordnern; sie wurde bei der Suche ausgelassen</translation>
    </message>
    <message>
        <source>%1: is a socket; results are saved only to a file, a FIFO or a character device</source>
        <translation>%1: ist ein Socket; Ergebnisse werden nur in eine Datei, ein FIFO oder ein zeichenorientiertes Gerät gespeichert</translation>
    </message>
    <message>
        <source>%1: is a block device; results are saved only to a file, a FIFO or a character device</source>
        <translation>%1: ist ein blockorientiertes Gerät; Ergebnisse werden nur in eine Datei, ein FIFO oder ein zeichenorientiertes Gerät gespeichert</translation>
    </message>
    <message>
        <source>%1: a terminal, not a result file</source>
        <translation>%1: ein Terminal, keine Ergebnisdatei</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>%1: not a Sifter result file</source>
        <translation>%1: keine Sifter-Ergebnisdatei</translation>
    </message>
    <message>
        <source>%1: damaged: it ends inside its header</source>
        <translation>%1: beschädigt: sie endet mitten im Dateikopf</translation>
    </message>
    <message>
        <source>%1: damaged or cut short after %2 records</source>
        <translation>%1: beschädigt oder nach %2 Einträgen abgeschnitten</translation>
    </message>
</context>
</TS>
