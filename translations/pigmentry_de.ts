<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CollectionEdits</name>
    <message>
        <source>Remove Color</source>
        <translation>Farbe entfernen</translation>
    </message>
    <message>
        <source>Delete Palette</source>
        <translation>Palette löschen</translation>
    </message>
    <message>
        <source>Remove Color from Palette</source>
        <translation>Farbe aus Palette entfernen</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf leeren</translation>
    </message>
    <message>
        <source>Deleted. Ctrl+Z to undo</source>
        <translation>Gelöscht. Strg+Z macht es rückgängig</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Wiederhergestellt</translation>
    </message>
    <message>
        <source>Remove Colors</source>
        <translation>Farben entfernen</translation>
    </message>
    <message>
        <source>Move Palette</source>
        <translation>Palette verschieben</translation>
    </message>
    <message>
        <source>Move Color</source>
        <translation>Farbe verschieben</translation>
    </message>
    <message>
        <source>Remove Colors from Palette</source>
        <translation>Farben aus der Palette entfernen</translation>
    </message>
    <message>
        <source>Pick into Palette</source>
        <translation>In Palette wählen</translation>
    </message>
</context>
<context>
    <name>ColorActions</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message numerus="yes">
        <source>Copy %n Colors</source>
        <translation>
            <numerusform>%n Farbe kopieren</numerusform>
            <numerusform>%n Farben kopieren</numerusform>
        </translation>
    </message>
    <message>
        <source>Add to Palette</source>
        <translation>Zur Palette hinzufügen</translation>
    </message>
    <message>
        <source>New Palette</source>
        <translation>Neue Palette</translation>
    </message>
    <message>
        <source>Export as Palette…</source>
        <translation>Als Palette exportieren…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n Colors</source>
        <translation>
            <numerusform>%n Farbe entfernen</numerusform>
            <numerusform>%n Farben entfernen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ColorVision</name>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Protanopia</source>
        <translation>Protanopie</translation>
    </message>
    <message>
        <source>Deuteranopia</source>
        <translation>Deuteranopie</translation>
    </message>
    <message>
        <source>Tritanopia</source>
        <translation>Tritanopie</translation>
    </message>
    <message>
        <source>Achromatopsia</source>
        <translation>Achromatopsie</translation>
    </message>
</context>
<context>
    <name>ContrastLevel</name>
    <message>
        <source>AA normal</source>
        <translation>AA normal</translation>
    </message>
    <message>
        <source>AA large</source>
        <translation>AA groß</translation>
    </message>
    <message>
        <source>AAA normal</source>
        <translation>AAA normal</translation>
    </message>
    <message>
        <source>AAA large</source>
        <translation>AAA groß</translation>
    </message>
</context>
<context>
    <name>ContrastPage</name>
    <message>
        <source>The art of clear communication</source>
        <translation>Die Kunst klarer Kommunikation</translation>
    </message>
    <message>
        <source>A readable palette helps everyone see your message.</source>
        <translation>Eine lesbare Palette hilft allen, Ihre Botschaft zu sehen.</translation>
    </message>
    <message>
        <source>Sample button</source>
        <translation>Beispielknopf</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Use Suggested Color</source>
        <translation>Vorgeschlagene Farbe verwenden</translation>
    </message>
</context>
<context>
    <name>DesktopServices</name>
    <message>
        <source>Starting at login is not available on this desktop.</source>
        <translation>Der Start bei der Anmeldung ist in dieser Arbeitsumgebung nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>DesktopWorkspace</name>
    <message>
        <source>Launch at login is not possible from %1: a login entry cannot name this path. Move Pigmentry to a folder without special characters.</source>
        <translation>Start bei der Anmeldung ist von %1 aus nicht möglich: Ein Anmeldeeintrag kann diesen Pfad nicht nennen. Verschieben Sie Pigmentry in einen Ordner ohne Sonderzeichen.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ExtractionPage</name>
    <message>
        <source>Images (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
</context>
<context>
    <name>FrozenOverlay</name>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
</context>
<context>
    <name>GradientPage</name>
    <message>
        <source>Gradient preview</source>
        <translation>Verlaufsvorschau</translation>
    </message>
</context>
<context>
    <name>HarmonyRule</name>
    <message>
        <source>Complementary</source>
        <translation>Komplementär</translation>
    </message>
    <message>
        <source>Analogous</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Triadic</source>
        <translation>Triadisch</translation>
    </message>
    <message>
        <source>Split complementary</source>
        <translation>Geteilt komplementär</translation>
    </message>
    <message>
        <source>Tetradic</source>
        <translation>Tetradisch</translation>
    </message>
</context>
<context>
    <name>HistoryGrid</name>
    <message>
        <source>Add a label</source>
        <translation>Beschriften</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Inspect </source>
        <translation>Untersuchen: </translation>
    </message>
    <message>
        <source>Toggle favorite</source>
        <translation>Favorit umschalten</translation>
    </message>
    <message>
        <source>Remove color</source>
        <translation>Farbe entfernen</translation>
    </message>
</context>
<context>
    <name>HistoryPage</name>
    <message>
        <source>Search colors or labels</source>
        <translation>Farben oder Bezeichnungen suchen</translation>
    </message>
</context>
<context>
    <name>Inspector</name>
    <message>
        <source>Use a hex code (#RGB to #RRGGBBAA) or a CSS color.</source>
        <translation>Verwenden Sie einen Hex-Code (#RGB bis #RRGGBBAA) oder eine CSS-Farbe.</translation>
    </message>
</context>
<context>
    <name>Instance</name>
    <message>
        <source>The running Pigmentry is another version than this command: quit it (pigmentry quit, or Quit in its menu) and start Pigmentry again.</source>
        <translation>Das laufende Pigmentry ist eine andere Version als dieser Befehl: Beenden Sie es (pigmentry quit oder „Beenden“ in seinem Menü) und starten Sie Pigmentry erneut.</translation>
    </message>
</context>
<context>
    <name>LibraryFile</name>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>sie ist ein Verweis auf eine Datei, die es nicht gibt</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>die Datei gibt es nicht</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>sie ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>Could not read library: %1 (kept as %2)</source>
        <translation>Die Bibliothek konnte nicht gelesen werden: %1 (aufbewahrt als %2)</translation>
    </message>
    <message>
        <source>Could not read library: %1 (left in place; changes are not saved)</source>
        <translation>Die Bibliothek konnte nicht gelesen werden: %1 (an ihrem Ort belassen; Änderungen werden nicht gesichert)</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>a color is not an object</source>
        <translation>eine Farbe ist kein Objekt</translation>
    </message>
    <message>
        <source>a color has no key &quot;%1&quot;</source>
        <translation>einer Farbe fehlt der Schlüssel „%1“</translation>
    </message>
    <message>
        <source>the color key &quot;%1&quot; is not a number</source>
        <translation>der Farbschlüssel „%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>the color key &quot;%1&quot; is not a finite number</source>
        <translation>der Farbschlüssel „%1“ ist keine endliche Zahl</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is missing</source>
        <translation>der Schlüssel „%1“ fehlt</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; is not a string</source>
        <translation>der Wert von „%1“ ist keine Zeichenkette</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; is not a number</source>
        <translation>der Wert von „%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; is not a boolean</source>
        <translation>der Wert von „%1“ ist kein Wahrheitswert</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; is not an array</source>
        <translation>der Wert von „%1“ ist keine Liste</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid UUID</source>
        <translation>„%1“ ist keine gültige UUID</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 bei %2</translation>
    </message>
    <message>
        <source>expected an object at </source>
        <translation>Objekt erwartet bei </translation>
    </message>
    <message>
        <source>the top level</source>
        <translation>der obersten Ebene</translation>
    </message>
    <message>
        <source>%1 names for %2 colors</source>
        <translation>%1 Namen für %2 Farben</translation>
    </message>
    <message>
        <source>a color&apos;s name is not a string</source>
        <translation>der Name einer Farbe ist keine Zeichenkette</translation>
    </message>
    <message>
        <source>the data is not valid JSON (%1 at offset %2)</source>
        <translation>die Daten sind kein gültiges JSON (%1 bei Position %2)</translation>
    </message>
    <message>
        <source>the data is not a JSON object</source>
        <translation>die Daten sind kein JSON-Objekt</translation>
    </message>
    <message>
        <source>A number that is not finite cannot be written as JSON.</source>
        <translation>Eine Zahl, die nicht endlich ist, kann nicht als JSON geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>Magnifier</name>
    <message>
        <source>Click to pick · Esc to cancel · %1×</source>
        <translation>Klick nimmt auf · Esc bricht ab · %1×</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Color Inspector</source>
        <translation>Farbinspektor</translation>
    </message>
    <message>
        <source>Capture, refine, and make it yours.</source>
        <translation>Aufnehmen, verfeinern, zu eigen machen.</translation>
    </message>
    <message>
        <source>Recent Colors</source>
        <translation>Letzte Farben</translation>
    </message>
    <message>
        <source>Every color, right where you left it.</source>
        <translation>Jede Farbe, genau dort, wo Sie sie gelassen haben.</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>A collection worth coming back to.</source>
        <translation>Eine Sammlung, zu der man gern zurückkehrt.</translation>
    </message>
    <message>
        <source>My Palettes</source>
        <translation>Meine Paletten</translation>
    </message>
    <message>
        <source>A home for your next great color story.</source>
        <translation>Ein Zuhause für Ihre nächste große Farbgeschichte.</translation>
    </message>
    <message>
        <source>Color Harmony</source>
        <translation>Farbharmonie</translation>
    </message>
    <message>
        <source>Explore the relationships between colors.</source>
        <translation>Entdecken Sie die Beziehungen zwischen Farben.</translation>
    </message>
    <message>
        <source>Gradient Studio</source>
        <translation>Verlaufsstudio</translation>
    </message>
    <message>
        <source>Find the perfect transition.</source>
        <translation>Finden Sie den perfekten Übergang.</translation>
    </message>
    <message>
        <source>Contrast Checker</source>
        <translation>Kontrastprüfung</translation>
    </message>
    <message>
        <source>Design with clarity and confidence.</source>
        <translation>Gestalten Sie klar und sicher.</translation>
    </message>
    <message>
        <source>Image Extraction</source>
        <translation>Farben aus Bildern</translation>
    </message>
    <message>
        <source>Discover the palette inside an image.</source>
        <translation>Entdecken Sie die Palette in einem Bild.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Make Pigmentry work your way.</source>
        <translation>Richten Sie Pigmentry nach Ihren Wünschen ein.</translation>
    </message>
</context>
<context>
    <name>PaletteChoices</name>
    <message>
        <source>Untitled Palette</source>
        <translation>Unbenannte Palette</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2, %n colors)</source>
        <translation>
            <numerusform>%1 (%2, %n Farbe)</numerusform>
            <numerusform>%1 (%2, %n Farben)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PaletteFiles</name>
    <message>
        <source>the file does not start with an ASE header</source>
        <translation>die Datei beginnt nicht mit einem ASE-Kopf</translation>
    </message>
    <message>
        <source>the ASE version is %1, not 1</source>
        <translation>die ASE-Version ist %1, nicht 1</translation>
    </message>
    <message>
        <source>the header claims %1 entries but %2 bytes remain</source>
        <translation>der Kopf nennt %1 Einträge, aber es bleiben %2 Bytes</translation>
    </message>
    <message>
        <source>entry %1 is cut short</source>
        <translation>Eintrag %1 ist abgeschnitten</translation>
    </message>
    <message>
        <source>entry %1 claims %2 bytes but %3 remain</source>
        <translation>Eintrag %1 nennt %2 Bytes, aber es bleiben %3</translation>
    </message>
    <message>
        <source>entry %1 claims a name of %2 characters but %3 bytes remain</source>
        <translation>Eintrag %1 nennt einen Namen aus %2 Zeichen, aber es bleiben %3 Bytes</translation>
    </message>
    <message>
        <source>entry %1 has no name field</source>
        <translation>Eintrag %1 hat kein Namensfeld</translation>
    </message>
    <message>
        <source>entry %1 has no color model</source>
        <translation>Eintrag %1 hat kein Farbmodell</translation>
    </message>
    <message>
        <source>entry %1 has the color model &quot;%2&quot;, not RGB, CMYK, LAB or Gray</source>
        <translation>Eintrag %1 hat das Farbmodell „%2“, nicht RGB, CMYK, LAB oder Gray</translation>
    </message>
    <message>
        <source>entry %1 claims %2 values but %3 bytes remain</source>
        <translation>Eintrag %1 nennt %2 Werte, aber es bleiben %3 Bytes</translation>
    </message>
    <message>
        <source>entry %1 has a value that is not a number</source>
        <translation>Eintrag %1 hat einen Wert, der keine Zahl ist</translation>
    </message>
    <message>
        <source>it has more than %1 colors</source>
        <translation>sie hat mehr als %1 Farben</translation>
    </message>
    <message>
        <source>the swatches&apos; version is %1, not 1 or 2</source>
        <translation>die Version der Farbfelder ist %1, nicht 1 oder 2</translation>
    </message>
    <message>
        <source>version %1 claims %2 colors but %3 bytes remain</source>
        <translation>Version %1 nennt %2 Farben, aber es bleiben %3 Bytes</translation>
    </message>
    <message>
        <source>color %1 is cut short</source>
        <translation>Farbe %1 ist abgeschnitten</translation>
    </message>
    <message>
        <source>color %1 is cut short before its name</source>
        <translation>Farbe %1 ist vor ihrem Namen abgeschnitten</translation>
    </message>
    <message>
        <source>color %1 claims a name of %2 characters but %3 bytes remain</source>
        <translation>Farbe %1 nennt einen Namen aus %2 Zeichen, aber es bleiben %3 Bytes</translation>
    </message>
    <message>
        <source>color %1 is in color space %2, which is not RGB, HSB, CMYK, Lab or Grayscale</source>
        <translation>Farbe %1 ist im Farbraum %2, der nicht RGB, HSB, CMYK, Lab oder Graustufen ist</translation>
    </message>
    <message>
        <source>the file is too short for swatches</source>
        <translation>die Datei ist zu kurz für Farbfelder</translation>
    </message>
    <message>
        <source>the GIMP palette is not UTF-8 text</source>
        <translation>die GIMP-Palette ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>the file does not start with &quot;GIMP Palette&quot;</source>
        <translation>die Datei beginnt nicht mit „GIMP Palette“</translation>
    </message>
    <message>
        <source>line %1 is not a color: &quot;%2&quot;</source>
        <translation>Zeile %1 ist keine Farbe: „%2“</translation>
    </message>
    <message>
        <source>line %1 has a value above 255: &quot;%2&quot;</source>
        <translation>Zeile %1 hat einen Wert über 255: „%2“</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>sie ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>the file is not a palette: it is %1</source>
        <translation>die Datei ist keine Palette: sie ist %1</translation>
    </message>
    <message>
        <source>not a GIMP palette: %1</source>
        <translation>keine GIMP-Palette: %1</translation>
    </message>
    <message>
        <source>Photoshop swatches are read, not written</source>
        <translation>Photoshop-Farbfelder werden gelesen, nicht geschrieben</translation>
    </message>
    <message>
        <source>ASE holds no transparency: the colors were saved opaque.</source>
        <translation>ASE kennt keine Transparenz: Die Farben wurden deckend gespeichert.</translation>
    </message>
    <message>
        <source>A GIMP palette holds no transparency: the colors were saved opaque.</source>
        <translation>Eine GIMP-Palette kennt keine Transparenz: Die Farben wurden deckend gespeichert.</translation>
    </message>
    <message>
        <source>Palettes (%1)</source>
        <translation>Paletten (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Invalid palette: %1</source>
        <translation>Ungültige Palette: %1</translation>
    </message>
    <message>
        <source>JSON palette (*.json)</source>
        <translation>JSON-Palette (*.json)</translation>
    </message>
    <message>
        <source>GIMP palette, without transparency (*.gpl)</source>
        <translation>GIMP-Palette, ohne Transparenz (*.gpl)</translation>
    </message>
    <message>
        <source>Adobe Swatch Exchange, without transparency (*.ase)</source>
        <translation>Adobe Swatch Exchange, ohne Transparenz (*.ase)</translation>
    </message>
    <message>
        <source>Photoshop swatches (*.aco)</source>
        <translation>Photoshop-Farbfelder (*.aco)</translation>
    </message>
    <message>
        <source>Hex list (*.txt)</source>
        <translation>Hex-Liste (*.txt)</translation>
    </message>
    <message>
        <source>CSS custom properties (*.css)</source>
        <translation>CSS-Variablen (*.css)</translation>
    </message>
    <message>
        <source>SCSS variables (*.scss)</source>
        <translation>SCSS-Variablen (*.scss)</translation>
    </message>
    <message>
        <source>HTML sheet (*.html)</source>
        <translation>HTML-Übersicht (*.html)</translation>
    </message>
    <message>
        <source>the hex list is not UTF-8 text</source>
        <translation>die Hex-Liste ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>the hex list holds no color</source>
        <translation>die Hex-Liste enthält keine Farbe</translation>
    </message>
    <message>
        <source>Exported 1 color to %1</source>
        <translation>1 Farbe nach %1 exportiert</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n colors to %1</source>
        <translation>
            <numerusform>%n Farbe nach %1 exportiert</numerusform>
            <numerusform>%n Farben nach %1 exportiert</numerusform>
        </translation>
    </message>
    <message>
        <source>Imported “%1” (1 color)</source>
        <translation>„%1“ importiert (1 Farbe)</translation>
    </message>
    <message numerus="yes">
        <source>Imported “%1” (%n colors)</source>
        <translation>
            <numerusform>„%1“ importiert (%n Farbe)</numerusform>
            <numerusform>„%1“ importiert (%n Farben)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PaletteList</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Palette name</source>
        <translation>Palettenname</translation>
    </message>
    <message>
        <source>Inspect </source>
        <translation>Untersuchen: </translation>
    </message>
    <message>
        <source>without a name</source>
        <translation>ohne Namen</translation>
    </message>
    <message>
        <source>Palette %1, one color</source>
        <translation>Palette %1, eine Farbe</translation>
    </message>
    <message>
        <source>Palette %1, %2 colors</source>
        <translation>Palette %1, %2 Farben</translation>
    </message>
    <message>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <source>Palette notes</source>
        <translation>Palettennotizen</translation>
    </message>
    <message>
        <source>Add notes</source>
        <translation>Notizen hinzufügen</translation>
    </message>
</context>
<context>
    <name>PickerPage</name>
    <message>
        <source>Step %1, color %2</source>
        <translation>Stufe %1, Farbe %2</translation>
    </message>
</context>
<context>
    <name>RecorderButton</name>
    <message>
        <source>Pick Color shortcut</source>
        <translation>Tastenkürzel für die Farbaufnahme</translation>
    </message>
    <message>
        <source>Type shortcut…</source>
        <translation>Kürzel drücken …</translation>
    </message>
</context>
<context>
    <name>ScreenPicker</name>
    <message>
        <source>Color picking could not continue</source>
        <translation>Die Farbaufnahme konnte nicht fortgesetzt werden</translation>
    </message>
</context>
<context>
    <name>StudioState</name>
    <message>
        <source>Untitled Palette</source>
        <translation>Unbenannte Palette</translation>
    </message>
</context>
<context>
    <name>SwatchGrid</name>
    <message>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <source>, favorite</source>
        <translation>, Favorit</translation>
    </message>
    <message>
        <source>Inspect the color</source>
        <translation>Farbe untersuchen</translation>
    </message>
</context>
<context>
    <name>ToolParts</name>
    <message>
        <source>Inspect </source>
        <translation>Untersuchen: </translation>
    </message>
</context>
<context>
    <name>pigmentry::AppDelegate</name>
    <message>
        <source>Nothing will be saved: %1. Your colors stay until Pigmentry quits.</source>
        <translation>Nichts wird gespeichert: %1. Ihre Farben bleiben erhalten, bis Pigmentry beendet wird.</translation>
    </message>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
    <message>
        <source>Open Color Studio</source>
        <translation>Farbstudio öffnen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>No tray icon here: the shortcut still picks after this window is closed, and starting Pigmentry again reopens it.</source>
        <translation>Hier gibt es kein Symbol in der Leiste: Das Tastenkürzel nimmt auch nach dem Schließen dieses Fensters Farben auf, und ein erneuter Start von Pigmentry öffnet es wieder.</translation>
    </message>
    <message>
        <source>No tray icon here: starting Pigmentry again reopens this window.</source>
        <translation>Hier gibt es kein Symbol in der Leiste: Ein erneuter Start von Pigmentry öffnet dieses Fenster wieder.</translation>
    </message>
    <message>
        <source>Press %1 to pick a color.</source>
        <translation>Drücken Sie %1, um eine Farbe aufzunehmen.</translation>
    </message>
    <message>
        <source>Click its icon to pick a color.</source>
        <translation>Klicken Sie auf das Symbol, um eine Farbe aufzunehmen.</translation>
    </message>
    <message>
        <source>Pigmentry is in the tray. </source>
        <translation>Pigmentry befindet sich in der Systemleiste. </translation>
    </message>
    <message>
        <source>Pigmentry — last color %1</source>
        <translation>Pigmentry — letzte Farbe %1</translation>
    </message>
    <message>
        <source>Copied %1</source>
        <translation>%1 kopiert</translation>
    </message>
    <message>
        <source>Picked %1</source>
        <translation>%1 aufgenommen</translation>
    </message>
    <message>
        <source>A pick is already under way.</source>
        <translation>Es läuft schon eine Farbaufnahme.</translation>
    </message>
    <message>
        <source>The color is not in the saved history: %1</source>
        <translation>Die Farbe ist nicht im gespeicherten Verlauf: %1</translation>
    </message>
    <message>
        <source>Pick a New Palette</source>
        <translation>Neue Palette wählen</translation>
    </message>
    <message>
        <source>New palette “%1” with 1 color</source>
        <translation>Neue Palette „%1“ mit 1 Farbe</translation>
    </message>
    <message numerus="yes">
        <source>New palette “%1” with %n colors</source>
        <translation>
            <numerusform>Neue Palette „%1“ mit %n Farbe</numerusform>
            <numerusform>Neue Palette „%1“ mit %n Farben</numerusform>
        </translation>
    </message>
    <message>
        <source>No palette is named “%1”.</source>
        <translation>Keine Palette heißt „%1“.</translation>
    </message>
    <message>
        <source>%1 palettes are named “%2”: rename all but one first.</source>
        <translation>%1 Paletten heißen „%2“: Benennen Sie zuerst alle bis auf eine um.</translation>
    </message>
</context>
<context>
    <name>pigmentry::ColorListModel</name>
    <message>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
</context>
<context>
    <name>pigmentry::ColorPatch</name>
    <message>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
</context>
<context>
    <name>pigmentry::ContrastPage</name>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Tauschen</translation>
    </message>
    <message>
        <source>Color vision</source>
        <translation>Farbsehen</translation>
    </message>
    <message>
        <source>Show the sample as seen with a color-vision deficiency</source>
        <translation>Das Beispiel so zeigen, wie es mit einer Farbsehschwäche erscheint</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Verwenden</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Kontrastverhältnis %1</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Bestanden</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Nicht bestanden</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Nearest text color for %1: %2</source>
        <translation>Nächste Textfarbe für %1: %2</translation>
    </message>
    <message>
        <source>Use %1 as the text color</source>
        <translation>%1 als Textfarbe verwenden</translation>
    </message>
    <message>
        <source>No text color reaches %1 on this background.</source>
        <translation>Keine Textfarbe erreicht %1 auf diesem Hintergrund.</translation>
    </message>
    <message>
        <source>Use the background as the text color and the text color as the background</source>
        <translation>Den Hintergrund als Textfarbe und die Textfarbe als Hintergrund verwenden</translation>
    </message>
    <message>
        <source>WCAG relative luminance for opaque sRGB. Contrast alone does not establish accessibility.</source>
        <translation>Relative Leuchtdichte nach WCAG für deckendes sRGB. Kontrast allein macht noch keine Barrierefreiheit.</translation>
    </message>
</context>
<context>
    <name>pigmentry::ExtractionPage</name>
    <message>
        <source>A palette hiding in every image</source>
        <translation>In jedem Bild steckt eine Palette</translation>
    </message>
    <message>
        <source>Choose a photo or artwork to discover its dominant colors.</source>
        <translation>Wählen Sie ein Foto oder Bild, um seine vorherrschenden Farben zu finden.</translation>
    </message>
    <message>
        <source>Choose Image</source>
        <translation>Bild auswählen</translation>
    </message>
    <message>
        <source>Choose Another Image</source>
        <translation>Anderes Bild auswählen</translation>
    </message>
    <message>
        <source>Extracting colors</source>
        <translation>Farben werden ermittelt</translation>
    </message>
    <message>
        <source>Extracted colors</source>
        <translation>Ermittelte Farben</translation>
    </message>
    <message>
        <source>Save Extracted Palette</source>
        <translation>Ermittelte Palette speichern</translation>
    </message>
    <message>
        <source>Image Palette</source>
        <translation>Bildpalette</translation>
    </message>
    <message>
        <source>This file could not be read as an image.</source>
        <translation>Diese Datei konnte nicht als Bild gelesen werden.</translation>
    </message>
    <message>
        <source>Downsampled image, deterministic RGB clustering (5 colors). Profile conversion to sRGB.</source>
        <translation>Verkleinertes Bild, deterministisches RGB-Clustering (5 Farben). Profilumwandlung nach sRGB.</translation>
    </message>
</context>
<context>
    <name>pigmentry::GradientPage</name>
    <message>
        <source>Start color</source>
        <translation>Startfarbe</translation>
    </message>
    <message>
        <source>End color</source>
        <translation>Endfarbe</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Winkel</translation>
    </message>
    <message>
        <source>Angle in degrees</source>
        <translation>Winkel in Grad</translation>
    </message>
    <message>
        <source>Copy CSS</source>
        <translation>CSS kopieren</translation>
    </message>
    <message>
        <source>Two-stop sRGB gradient. Browser interpolation may differ.</source>
        <translation>sRGB-Verlauf mit zwei Stopps. Die Interpolation im Browser kann abweichen.</translation>
    </message>
</context>
<context>
    <name>pigmentry::HarmonyPage</name>
    <message>
        <source>Save Palette</source>
        <translation>Palette speichern</translation>
    </message>
    <message>
        <source>Mathematical suggestions; contrast has not been validated.</source>
        <translation>Mathematische Vorschläge; der Kontrast wurde nicht geprüft.</translation>
    </message>
    <message>
        <source>Save Palette, %1</source>
        <translation>Palette speichern, %1</translation>
    </message>
</context>
<context>
    <name>pigmentry::HistoryCellDelegate</name>
    <message>
        <source>Label of color %1</source>
        <translation>Bezeichnung von Farbe %1</translation>
    </message>
</context>
<context>
    <name>pigmentry::HistoryGrid</name>
    <message>
        <source>Inspect</source>
        <translation>Untersuchen</translation>
    </message>
    <message>
        <source>Edit Label</source>
        <translation>Bezeichnung bearbeiten</translation>
    </message>
    <message>
        <source>Remove from Favorites</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
</context>
<context>
    <name>pigmentry::HistoryModel</name>
    <message>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <source>Color %1, %2</source>
        <translation>Farbe %1, %2</translation>
    </message>
</context>
<context>
    <name>pigmentry::HistoryPage</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export every color of the history as hex codes</source>
        <translation>Jede Farbe des Verlaufs als Hex-Code exportieren</translation>
    </message>
    <message>
        <source>Your favorites, collected</source>
        <translation>Ihre Favoriten, gesammelt</translation>
    </message>
    <message>
        <source>Your color journey starts here</source>
        <translation>Ihre Farbreise beginnt hier</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Recent colors</source>
        <translation>Letzte Farben</translation>
    </message>
    <message>
        <source>Untitled Palette</source>
        <translation>Unbenannte Palette</translation>
    </message>
    <message>
        <source>Pick a color from your screen to start your collection.</source>
        <translation>Nehmen Sie eine Farbe vom Bildschirm auf, um Ihre Sammlung zu beginnen.</translation>
    </message>
    <message>
        <source>Try another color code or label.</source>
        <translation>Versuchen Sie einen anderen Farbcode oder eine andere Bezeichnung.</translation>
    </message>
</context>
<context>
    <name>pigmentry::Inspector</name>
    <message>
        <source>COLOR DETAILS</source>
        <translation>FARBDETAILS</translation>
    </message>
    <message>
        <source>Edit color</source>
        <translation>Farbe bearbeiten</translation>
    </message>
    <message>
        <source>Open color editor</source>
        <translation>Farbeditor öffnen</translation>
    </message>
    <message>
        <source>HEX VALUE</source>
        <translation>HEX-WERT</translation>
    </message>
    <message>
        <source>OPACITY</source>
        <translation>DECKKRAFT</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>EXPORT FORMAT</source>
        <translation>EXPORTFORMAT</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>%1 kopieren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>Screen colors are converted to sRGB.</source>
        <translation>Bildschirmfarben werden nach sRGB umgewandelt.</translation>
    </message>
    <message>
        <source>Create a palette in My Palettes</source>
        <translation>Eine Palette unter „Meine Paletten“ anlegen</translation>
    </message>
    <message>
        <source>Pick Colors into</source>
        <translation>Farben wählen in</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>Export format</source>
        <translation>Exportformat</translation>
    </message>
</context>
<context>
    <name>pigmentry::MenuContent</name>
    <message>
        <source>Open Color Studio</source>
        <translation>Farbstudio öffnen</translation>
    </message>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
    <message>
        <source>RECENT COLORS</source>
        <translation>LETZTE FARBEN</translation>
    </message>
    <message>
        <source>Recent colors</source>
        <translation>Letzte Farben</translation>
    </message>
    <message>
        <source>Copy </source>
        <translation>Kopieren: </translation>
    </message>
    <message>
        <source>Studio</source>
        <translation>Studio</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>%1 kopieren</translation>
    </message>
    <message>
        <source>Local. Private. Ready.</source>
        <translation>Lokal. Privat. Bereit.</translation>
    </message>
    <message>
        <source>Pick a New Palette</source>
        <translation>Neue Palette wählen</translation>
    </message>
    <message>
        <source>Shift-click each color; Esc makes the palette</source>
        <translation>Jede Farbe mit Umschalt-Klick wählen; Esc legt die Palette an</translation>
    </message>
</context>
<context>
    <name>pigmentry::PaletteList</name>
    <message>
        <source>Name…</source>
        <translation>Benennen…</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Edit Notes</source>
        <translation>Notizen bearbeiten</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Pick Colors into This Palette</source>
        <translation>Farben in diese Palette wählen</translation>
    </message>
</context>
<context>
    <name>pigmentry::PalettesPage</name>
    <message>
        <source>Build your first palette</source>
        <translation>Legen Sie Ihre erste Palette an</translation>
    </message>
    <message>
        <source>Palette name</source>
        <translation>Palettenname</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Anlegen</translation>
    </message>
    <message>
        <source>A new palette holding the selected color</source>
        <translation>Eine neue Palette mit der ausgewählten Farbe</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Importieren…</translation>
    </message>
    <message>
        <source>Palettes</source>
        <translation>Paletten</translation>
    </message>
    <message>
        <source>Name Color</source>
        <translation>Farbe benennen</translation>
    </message>
    <message>
        <source>Name of %1:</source>
        <translation>Name von %1:</translation>
    </message>
    <message>
        <source>Untitled Palette</source>
        <translation>Unbenannte Palette</translation>
    </message>
    <message>
        <source>Give your collection a name, then add colors from the inspector.</source>
        <translation>Geben Sie Ihrer Sammlung einen Namen und fügen Sie dann Farben aus dem Inspektor hinzu.</translation>
    </message>
    <message>
        <source>Add a palette from a file: JSON, GIMP, Adobe Swatch Exchange, Photoshop swatches or a hex list</source>
        <translation>Eine Palette aus einer Datei hinzufügen: JSON, GIMP, Adobe Swatch Exchange, Photoshop-Farbfelder oder eine Hex-Liste</translation>
    </message>
</context>
<context>
    <name>pigmentry::PickerPage</name>
    <message>
        <source>CURRENT COLOR</source>
        <translation>AKTUELLE FARBE</translation>
    </message>
    <message>
        <source>Pick from Screen</source>
        <translation>Vom Bildschirm aufnehmen</translation>
    </message>
    <message>
        <source>Tint scale</source>
        <translation>Farbabstufung</translation>
    </message>
    <message>
        <source>Save as Palette</source>
        <translation>Als Palette sichern</translation>
    </message>
    <message>
        <source>%1 scale</source>
        <translation>%1 Abstufung</translation>
    </message>
    <message>
        <source>Recently picked</source>
        <translation>Zuletzt aufgenommen</translation>
    </message>
    <message>
        <source>View all</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <source>Inspect </source>
        <translation>Untersuchen: </translation>
    </message>
    <message>
        <source>At your fingertips</source>
        <translation>Griffbereit</translation>
    </message>
    <message>
        <source>Move one pixel</source>
        <translation>Ein Pixel bewegen</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Cancel picking</source>
        <translation>Aufnahme abbrechen</translation>
    </message>
    <message>
        <source>Using the built-in desktop picker. The desktop provides the magnifier and keyboard controls.</source>
        <translation>Die eingebaute Farbauswahl der Arbeitsumgebung wird verwendet. Lupe und Tastatursteuerung stellt die Arbeitsumgebung bereit.</translation>
    </message>
    <message>
        <source>Precision mode · Shift + arrows for larger steps · + or − to zoom. Screen capture access is required.</source>
        <translation>Präzisionsmodus · Umschalt + Pfeiltasten für größere Schritte · + oder − zum Zoomen. Zugriff auf Bildschirmaufnahmen ist nötig.</translation>
    </message>
    <message>
        <source>Precision mode · Shift + arrows for larger steps · + or − to zoom.</source>
        <translation>Präzisionsmodus · Umschalt + Pfeiltasten für größere Schritte · + oder − zum Zoomen.</translation>
    </message>
</context>
<context>
    <name>pigmentry::PortalHotKeys</name>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
</context>
<context>
    <name>pigmentry::PortalScreenshot</name>
    <message>
        <source>the desktop could not take the screenshot. Some desktops save each screenshot in your Pictures folder first: make sure that folder exists and can be written, then try again, or pick with the desktop&apos;s own picker (Settings).</source>
        <translation>die Arbeitsumgebung konnte das Bildschirmfoto nicht aufnehmen. Manche Arbeitsumgebungen speichern jedes Bildschirmfoto zuerst in Ihrem Bilder-Ordner: Stellen Sie sicher, dass dieser Ordner existiert und beschreibbar ist, und versuchen Sie es erneut, oder nehmen Sie Farben mit der Farbauswahl der Arbeitsumgebung auf (Einstellungen).</translation>
    </message>
</context>
<context>
    <name>pigmentry::ScreenPicker</name>
    <message>
        <source>The desktop could not start screen capture: </source>
        <translation>Die Arbeitsumgebung konnte die Bildschirmaufnahme nicht starten: </translation>
    </message>
    <message>
        <source>Screen capture failed: </source>
        <translation>Bildschirmaufnahme fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Precision picker needs screen capture access</source>
        <translation>Die Präzisionsauswahl braucht Zugriff auf Bildschirmaufnahmen</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No accessible displays were returned by the desktop.</source>
        <translation>Die Arbeitsumgebung hat keine zugänglichen Bildschirme geliefert.</translation>
    </message>
    <message>
        <source>No desktop color picker is available: </source>
        <translation>Keine Farbauswahl der Arbeitsumgebung verfügbar: </translation>
    </message>
    <message>
        <source>Use Desktop Picker</source>
        <translation>Farbauswahl der Arbeitsumgebung</translation>
    </message>
    <message>
        <source>This desktop session does not let Pigmentry read the screen. Allow screenshots for Pigmentry in your desktop&apos;s privacy settings, then try again. You can also switch to the desktop&apos;s built-in color picker. Change picker mode later in Settings.</source>
        <translation>Diese Sitzung erlaubt Pigmentry nicht, den Bildschirm zu lesen. Erlauben Sie Bildschirmfotos für Pigmentry in den Datenschutzeinstellungen Ihrer Arbeitsumgebung und versuchen Sie es erneut. Sie können auch zur eingebauten Farbauswahl der Arbeitsumgebung wechseln. Den Modus ändern Sie später in den Einstellungen.</translation>
    </message>
    <message numerus="yes">
        <source>%n picked · %1 · Esc to finish</source>
        <translation>
            <numerusform>%n gewählt · %1 · Esc beendet</numerusform>
            <numerusform>%n gewählt · %1 · Esc beendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picked · Esc to finish</source>
        <translation>
            <numerusform>%n gewählt · Esc beendet</numerusform>
            <numerusform>%n gewählt · Esc beendet</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>pigmentry::SettingsPage</name>
    <message>
        <source>Pigmentry 1.0 · Made for Linux</source>
        <translation>Pigmentry 1.0 · Gemacht für Linux</translation>
    </message>
    <message>
        <source>Picking &amp; Clipboard</source>
        <translation>Aufnahme &amp; Zwischenablage</translation>
    </message>
    <message>
        <source>Use built-in desktop picker</source>
        <translation>Eingebaute Farbauswahl der Arbeitsumgebung verwenden</translation>
    </message>
    <message>
        <source>Precision mode reads the screen directly. The built-in picker uses the desktop&apos;s own controls.</source>
        <translation>Der Präzisionsmodus liest den Bildschirm direkt. Die eingebaute Auswahl nutzt die Bedienelemente des Desktops.</translation>
    </message>
    <message>
        <source>Precision mode requires screen capture access. The built-in picker uses the desktop&apos;s own controls.</source>
        <translation>Der Präzisionsmodus braucht Zugriff auf Bildschirmaufnahmen. Die eingebaute Farbauswahl nutzt die Bedienelemente der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>Automatically copy picked colors</source>
        <translation>Aufgenommene Farben automatisch kopieren</translation>
    </message>
    <message>
        <source>Notify after each pick</source>
        <translation>Nach jeder Aufnahme benachrichtigen</translation>
    </message>
    <message>
        <source>Default output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Open Studio at launch</source>
        <translation>Studio beim Start öffnen</translation>
    </message>
    <message>
        <source>Show in taskbar</source>
        <translation>In der Taskleiste zeigen</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Configure</source>
        <translation>Einrichten</translation>
    </message>
    <message>
        <source>Launch at login: Configure</source>
        <translation>Bei der Anmeldung starten: Einrichten</translation>
    </message>
    <message>
        <source>Login setting updated</source>
        <translation>Anmeldeeinstellung aktualisiert</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Local Storage</source>
        <translation>Lokaler Speicher</translation>
    </message>
    <message>
        <source>History limit</source>
        <translation>Verlaufsgrenze</translation>
    </message>
    <message>
        <source>History limit: </source>
        <translation>Verlaufsgrenze: </translation>
    </message>
    <message>
        <source>Open Data Folder</source>
        <translation>Datenordner öffnen</translation>
    </message>
    <message>
        <source>No file manager could open %1</source>
        <translation>Kein Dateimanager konnte %1 öffnen</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf leeren</translation>
    </message>
    <message>
        <source>Removes every color from the history; Ctrl+Z brings them back</source>
        <translation>Entfernt jede Farbe aus dem Verlauf; Strg+Z holt sie zurück</translation>
    </message>
    <message>
        <source>Your library stays on this computer. No account or analytics.</source>
        <translation>Ihre Bibliothek bleibt auf diesem Computer. Kein Konto, keine Analyse.</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Messfläche</translation>
    </message>
    <message>
        <source>1 pixel</source>
        <translation>1 Pixel</translation>
    </message>
    <message>
        <source>%1 × %1 average</source>
        <translation>Mittel aus %1 × %1</translation>
    </message>
    <message>
        <source>The desktop&apos;s picker always takes a single pixel.</source>
        <translation>Die Farbauswahl des Desktops nimmt immer ein einzelnes Pixel.</translation>
    </message>
</context>
<context>
    <name>pigmentry::ShortcutSettings</name>
    <message>
        <source>Shortcut unavailable (%1). This desktop does not let apps set global shortcuts: bind the command “pigmentry pick” to a key in the desktop&apos;s keyboard settings. You can still pick from the tray icon.</source>
        <translation>Tastenkürzel nicht verfügbar (%1). Diese Arbeitsumgebung erlaubt Apps keine globalen Tastenkürzel: Legen Sie den Befehl „pigmentry pick“ in den Tastatureinstellungen der Arbeitsumgebung auf eine Taste. Über das Symbol in der Leiste können Sie weiterhin Farben aufnehmen.</translation>
    </message>
    <message>
        <source>Shortcut unavailable (%1). The desktop did not bind it: give Pigmentry&apos;s “Pick Color” a key in the desktop&apos;s shortcut settings, or bind the command “pigmentry pick” there. You can still pick from the tray icon.</source>
        <translation>Tastenkürzel nicht verfügbar (%1). Die Arbeitsumgebung hat es nicht belegt: Geben Sie „Farbe aufnehmen“ von Pigmentry in den Kurzbefehl-Einstellungen der Arbeitsumgebung eine Taste, oder legen Sie dort den Befehl „pigmentry pick“ auf eine Taste. Über das Symbol in der Leiste können Sie weiterhin Farben aufnehmen.</translation>
    </message>
    <message>
        <source>Shortcut unavailable (%1). Choose another combination. You can still pick from the tray icon.</source>
        <translation>Tastenkürzel nicht verfügbar (%1). Wählen Sie eine andere Kombination. Über das Symbol in der Leiste können Sie weiterhin Farben aufnehmen.</translation>
    </message>
    <message>
        <source>Shortcut unavailable</source>
        <translation>Tastenkürzel nicht verfügbar</translation>
    </message>
    <message>
        <source>Include Super, Ctrl, or Alt with a key.</source>
        <translation>Verwenden Sie Super, Strg oder Alt zusammen mit einer Taste.</translation>
    </message>
    <message>
        <source>That shortcut could not be registered (%1). It may be used by the desktop or another app. Try another combination.</source>
        <translation>Dieses Kürzel konnte nicht registriert werden (%1). Es wird vielleicht von der Arbeitsumgebung oder einer anderen Anwendung verwendet. Versuchen Sie eine andere Kombination.</translation>
    </message>
    <message>
        <source>No desktop can take this key for a shortcut. Choose another key.</source>
        <translation>Diese Taste kann kein Desktop als Tastenkürzel verwenden. Wählen Sie eine andere Taste.</translation>
    </message>
</context>
<context>
    <name>pigmentry::ShortcutSettingsView</name>
    <message>
        <source>Keyboard Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Press a combination with Super, Ctrl, or Alt. Escape cancels.</source>
        <translation>Drücken Sie eine Kombination mit Super, Strg oder Alt. Escape bricht ab.</translation>
    </message>
    <message>
        <source>Click the shortcut to record a new combination. Changes apply immediately.</source>
        <translation>Klicken Sie auf das Kürzel, um eine neue Kombination aufzunehmen. Änderungen gelten sofort.</translation>
    </message>
</context>
<context>
    <name>pigmentry::Sidebar</name>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>LIBRARY</source>
        <translation>BIBLIOTHEK</translation>
    </message>
    <message>
        <source>DESIGN TOOLS</source>
        <translation>GESTALTUNGSWERKZEUGE</translation>
    </message>
</context>
<context>
    <name>pigmentry::Store</name>
    <message>
        <source>Not saved: %1 could not be read and is kept as it is.</source>
        <translation>Nicht gespeichert: %1 konnte nicht gelesen werden und bleibt unverändert.</translation>
    </message>
    <message>
        <source>Copied %1</source>
        <translation>%1 kopiert</translation>
    </message>
    <message numerus="yes">
        <source>Copied %n colors</source>
        <translation>
            <numerusform>%n Farbe kopiert</numerusform>
            <numerusform>%n Farben kopiert</numerusform>
        </translation>
    </message>
    <message>
        <source>Not changed: the library would grow past %1 MiB, more than Pigmentry reads back.</source>
        <translation>Nicht geändert: Die Bibliothek würde größer als %1 MiB, mehr als Pigmentry wieder einliest.</translation>
    </message>
    <message>
        <source>%1 Copy</source>
        <translation>%1 Kopie</translation>
    </message>
</context>
<context>
    <name>pigmentry::StudioWindow</name>
    <message>
        <source>Pigmentry — Color Studio</source>
        <translation>Pigmentry — Farbstudio</translation>
    </message>
    <message>
        <source>COLOR STUDIO</source>
        <translation>FARBSTUDIO</translation>
    </message>
    <message>
        <source>All colors stay on this computer</source>
        <translation>Alle Farben bleiben auf diesem Computer</translation>
    </message>
    <message>
        <source>Copy Color</source>
        <translation>Farbe kopieren</translation>
    </message>
    <message>
        <source>Copy in your preferred format</source>
        <translation>Im bevorzugten Format kopieren</translation>
    </message>
    <message>
        <source>Pick Color</source>
        <translation>Farbe aufnehmen</translation>
    </message>
    <message>
        <source>On-device color tools</source>
        <translation>Farbwerkzeuge auf dem Gerät</translation>
    </message>
</context>
</TS>
