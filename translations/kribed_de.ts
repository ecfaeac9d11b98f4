<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Resize the window</source>
        <translation>Fenstergröße ändern</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>Records of %1</source>
        <translation>Datensätze von %1</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>More tools</source>
        <translation>Weitere Werkzeuge</translation>
    </message>
</context>
<context>
    <name>CellRange</name>
    <message>
        <source>The pasted cells do not fit: %1 rows of %2 cells from the current cell reach beyond the last record or field.<byte value="xd"/>Nothing was pasted.</source>
        <translation>Die eingefügten Zellen passen nicht: %1 Zeilen mit je %2 Zellen reichen ab der aktuellen Zelle über den letzten Datensatz oder das letzte Feld hinaus.<byte value="xd"/>Es wurde nichts eingefügt.</translation>
    </message>
</context>
<context>
    <name>ChartPicture</name>
    <message numerus="yes">
        <source>%n value(s) not plotted</source>
        <translation>
            <numerusform>%n Wert nicht dargestellt</numerusform>
            <numerusform>%n Werte nicht dargestellt</numerusform>
        </translation>
    </message>
    <message>
        <source>Record number</source>
        <translation>Datensatznummer</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>Choose a number, date or time field for Y.</source>
        <translation>Wählen Sie ein Zahlen-, Datums- oder Zeitfeld für Y.</translation>
    </message>
    <message>
        <source>No shown record has a value of its type in these fields.</source>
        <translation>Kein angezeigter Datensatz hat in diesen Feldern einen Wert ihres Typs.</translation>
    </message>
    <message>
        <source>Choose a number, date or time field for the histogram.</source>
        <translation>Wählen Sie ein Zahlen-, Datums- oder Zeitfeld für das Histogramm.</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>“%1” holds no value of its type.</source>
        <translation>„%1“ enthält keinen Wert seines Typs.</translation>
    </message>
    <message>
        <source>Choose a field for X to count its values.</source>
        <translation>Wählen Sie ein Feld für X, dessen Werte gezählt werden.</translation>
    </message>
    <message>
        <source>No records are shown.</source>
        <translation>Es werden keine Datensätze angezeigt.</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Choose a field to group by.</source>
        <translation>Wählen Sie ein Feld, nach dem gruppiert wird.</translation>
    </message>
    <message>
        <source>Choose a number field for the figures.</source>
        <translation>Wählen Sie ein Zahlenfeld für die Werte.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>No shown record has a value to group by.</source>
        <translation>Kein angezeigter Datensatz hat einen Wert zum Gruppieren.</translation>
    </message>
</context>
<context>
    <name>CliMessages</name>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>--find is no valid regular expression: %1</source>
        <translation>--find ist kein gültiger regulärer Ausdruck: %1</translation>
    </message>
    <message>
        <source>the database has no field named %1</source>
        <translation>die Datenbank hat kein Feld namens %1</translation>
    </message>
    <message>
        <source>the SQLite database holds no table</source>
        <translation>die SQLite-Datenbank enthält keine Tabelle</translation>
    </message>
    <message>
        <source>choose a table with --table: %1</source>
        <translation>wählen Sie eine Tabelle mit --table: %1</translation>
    </message>
    <message>
        <source>the exported file must not be the database itself</source>
        <translation>die exportierte Datei darf nicht die Datenbank selbst sein</translation>
    </message>
    <message>
        <source>%1 was not loaded.</source>
        <translation>%1 wurde nicht geladen.</translation>
    </message>
    <message>
        <source>the dump of %1 could not be written whole.</source>
        <translation>die Ausgabe von %1 konnte nicht vollständig geschrieben werden.</translation>
    </message>
    <message>
        <source>no field named &apos;%1&apos; in both databases.</source>
        <translation>kein Feld namens „%1“ in beiden Datenbanken.</translation>
    </message>
    <message>
        <source>unknown field &apos;%1&apos;.</source>
        <translation>unbekanntes Feld „%1“.</translation>
    </message>
    <message>
        <source>unknown period &apos;%1&apos; (day, week, month, quarter or year).</source>
        <translation>unbekannter Zeitraum „%1“ (day, week, month, quarter oder year).</translation>
    </message>
    <message>
        <source>unknown chart kind &apos;%1&apos;.</source>
        <translation>unbekannte Diagrammart „%1“.</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>nothing to plot: %1</source>
        <translation>nichts darzustellen: %1</translation>
    </message>
    <message>
        <source>--table needs --group-by.</source>
        <translation>--table braucht --group-by.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) of %1 do not read as its type in the formats %2 and match no condition on it (--locale names others).</source>
        <translation>
            <numerusform>%n Wert in %1 ist in den Formaten %2 nicht als Typ des Feldes lesbar und erfüllt daher keine Bedingung (andere Formate: --locale).</numerusform>
            <numerusform>%n Werte in %1 sind in den Formaten %2 nicht als Typ des Feldes lesbar und erfüllen daher keine Bedingung (andere Formate: --locale).</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 looks like UTF-8, which --type %2 reads byte by byte: --encoding utf-8 reads its characters.</source>
        <translation>%1 sieht nach UTF-8 aus, das --type %2 Byte für Byte liest: Mit --encoding utf-8 werden seine Zeichen gelesen.</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>unknown locale &apos;%1&apos;. The accepted names are:</source>
        <translation>unbekanntes Gebietsschema „%1“. Zulässig sind:</translation>
    </message>
    <message>
        <source>a summary of a database with each field&apos;s statistics (--locale --json)</source>
        <translation>eine Übersicht über die Datenbank mit Statistiken je Feld (--locale --json)</translation>
    </message>
    <message>
        <source>exit status 0 when the database loads, 1 when it is refused</source>
        <translation>Exit-Status 0, wenn die Datenbank geladen wird, 1, wenn sie abgewiesen wird</translation>
    </message>
    <message>
        <source>the whole database as one JSON object</source>
        <translation>die ganze Datenbank als ein JSON-Objekt</translation>
    </message>
    <message>
        <source>load a database and write it as a Kribo pro copy</source>
        <translation>eine Datenbank laden und als Kribo-pro-Kopie schreiben</translation>
    </message>
    <message>
        <source>write an empty database (--name --fields --records --type --width)</source>
        <translation>eine leere Datenbank schreiben (--name --fields --records --type --width)</translation>
    </message>
    <message>
        <source>make a database from separated text or a SQLite table (--type sqlite --table)</source>
        <translation>eine Datenbank aus getrenntem Text oder einer SQLite-Tabelle anlegen (--type sqlite --table)</translation>
    </message>
    <message>
        <source>write a database as separated text, a SQLite database (--type sqlite) or an Excel workbook (--type xlsx)</source>
        <translation>eine Datenbank als getrennten Text, als SQLite-Datenbank (--type sqlite) oder als Excel-Arbeitsmappe (--type xlsx) schreiben</translation>
    </message>
    <message>
        <source>add the lines of separated text as records</source>
        <translation>die Zeilen eines getrennten Textes als Datensätze anhängen</translation>
    </message>
    <message>
        <source>Reads, checks and converts Kribo databases (.pdb).</source>
        <translation>Liest, prüft und konvertiert Kribo-Datenbanken (.pdb).</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 file refused or not written, 2 usage error.</source>
        <translation>Exit-Status: 0 Erfolg, 1 Datei abgewiesen oder nicht geschrieben, 2 Aufruffehler.</translation>
    </message>
    <message>
        <source>--type for new is a field type index 0..%1, not &apos;%2&apos;.</source>
        <translation>--type ist für new eine Feldtypnummer 0..%1, nicht „%2“.</translation>
    </message>
    <message>
        <source>append reads separated text, not &apos;%1&apos;.</source>
        <translation>append liest getrennten Text, nicht „%1“.</translation>
    </message>
    <message>
        <source>--type is comma, semicolon, tab, comma-any, csv, sqlite or (for export) xlsx, not &apos;%1&apos;.</source>
        <translation>--type ist comma, semicolon, tab, comma-any, csv, sqlite oder (für export) xlsx, nicht „%1“.</translation>
    </message>
    <message>
        <source>export writes comma, semicolon, tab or csv text, a sqlite database or an xlsx workbook, not &apos;%1&apos;.</source>
        <translation>export schreibt comma-, semicolon-, tab- oder csv-Text, eine sqlite-Datenbank oder eine xlsx-Arbeitsmappe, nicht „%1“.</translation>
    </message>
    <message>
        <source>Try &apos;kribed-cli --help&apos;.</source>
        <translation>Mehr mit „kribed-cli --help“.</translation>
    </message>
    <message>
        <source>Answer questions so the operation goes on.</source>
        <translation>Rückfragen so beantworten, dass der Vorgang fortgesetzt wird.</translation>
    </message>
    <message>
        <source>Code page of the texts (default windows-1252).</source>
        <translation>Codepage der Texte (Vorgabe windows-1252).</translation>
    </message>
    <message>
        <source>comma, semicolon, tab, comma-any or csv (standard CSV) for text files (default comma), sqlite for a SQLite database, for export also xlsx (an Excel workbook); for new: the field type index 0..12.</source>
        <translation>comma, semicolon, tab, comma-any oder csv (Standard-CSV) für Textdateien (Vorgabe comma), sqlite für eine SQLite-Datenbank, für export auch xlsx (eine Excel-Arbeitsmappe); für new: die Feldtypnummer 0..12.</translation>
    </message>
    <message>
        <source>utf-8 or codepage: the encoding of a --type csv file (default utf-8).</source>
        <translation>utf-8 oder codepage: die Kodierung einer Datei mit --type csv (Vorgabe utf-8).</translation>
    </message>
    <message>
        <source>The language of the messages: de or en (default: the desktop&apos;s).</source>
        <translation>Die Sprache der Meldungen: de oder en (Vorgabe: die des Desktops).</translation>
    </message>
    <message>
        <source>new: database name.</source>
        <translation>new: Name der Datenbank.</translation>
    </message>
    <message>
        <source>new: field count.</source>
        <translation>new: Anzahl der Felder.</translation>
    </message>
    <message>
        <source>new: record count.</source>
        <translation>new: Anzahl der Datensätze.</translation>
    </message>
    <message>
        <source>new: field width in width units.</source>
        <translation>new: Feldbreite in Breiteneinheiten.</translation>
    </message>
    <message>
        <source>replace: the text to find.</source>
        <translation>replace: der zu suchende Text.</translation>
    </message>
    <message>
        <source>replace: the text it becomes (\1 refers to a group with --regex).</source>
        <translation>replace: der Ersatztext (\1 verweist mit --regex auf eine Gruppe).</translation>
    </message>
    <message>
        <source>replace: only in the field of this name.</source>
        <translation>replace: nur im Feld dieses Namens.</translation>
    </message>
    <message>
        <source>replace: --find is a regular expression.</source>
        <translation>replace: --find ist ein regulärer Ausdruck.</translation>
    </message>
    <message>
        <source>replace: letters must match in case.</source>
        <translation>replace: Groß-/Kleinschreibung beachten.</translation>
    </message>
    <message>
        <source>replace: --find must be the whole cell.</source>
        <translation>replace: --find muss die ganze Zelle sein.</translation>
    </message>
    <message>
        <source>%1 takes %2 (usage: kribed-cli %1 %3).</source>
        <translation>%1 erwartet %2 (Aufruf: kribed-cli %1 %3).</translation>
    </message>
    <message>
        <source>one file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>an empty file name was given.</source>
        <translation>ein leerer Dateiname wurde angegeben.</translation>
    </message>
    <message>
        <source>option --%1 is not used by %2.</source>
        <translation>die Option --%1 wird von %2 nicht verwendet.</translation>
    </message>
    <message>
        <source>option --%1 is given twice.</source>
        <translation>die Option --%1 ist doppelt angegeben.</translation>
    </message>
    <message>
        <source>replace needs --find TEXT and --with TEXT.</source>
        <translation>replace braucht --find TEXT und --with TEXT.</translation>
    </message>
    <message>
        <source>--find needs a text to look for.</source>
        <translation>--find braucht einen zu suchenden Text.</translation>
    </message>
    <message>
        <source>unknown code page &apos;%1&apos;.</source>
        <translation>unbekannte Codepage „%1“.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a code page of the handheld&apos;s 8-bit texts.</source>
        <translation>„%1“ ist keine Codepage für die 8-Bit-Texte des Handhelds.</translation>
    </message>
    <message>
        <source>--encoding is utf-8 or codepage, not &apos;%1&apos;.</source>
        <translation>--encoding ist utf-8 oder codepage, nicht „%1“.</translation>
    </message>
    <message>
        <source>--language is de or en, not &apos;%1&apos;.</source>
        <translation>--language ist de oder en, nicht „%1“.</translation>
    </message>
    <message>
        <source>--table is for --type sqlite only.</source>
        <translation>--table gilt nur für --type sqlite.</translation>
    </message>
    <message>
        <source>One of the commands above.</source>
        <translation>Einer der oben genannten Befehle.</translation>
    </message>
    <message>
        <source>The command&apos;s files.</source>
        <translation>Die Dateien des Befehls.</translation>
    </message>
    <message>
        <source>no command given.</source>
        <translation>kein Befehl angegeben.</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;.</source>
        <translation>unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>replace a text in cells (--find --with [--field --regex --match-case --whole-cell --output --locale])</source>
        <translation>einen Text in Zellen ersetzen (--find --with [--field --regex --match-case --whole-cell --output --locale])</translation>
    </message>
    <message>
        <source>info, import --type sqlite, export --type sqlite or xlsx and replace (its stamps): the regional formats of numbers, dates and times, a name such as de_DE or en_US (default: the formats the editor keeps for the database, else the desktop&apos;s).</source>
        <translation>info, import --type sqlite, export --type sqlite oder xlsx und replace (seine Änderungsstempel): die regionalen Formate für Zahlen, Datum und Uhrzeit, ein Name wie de_DE oder en_US (Vorgabe: die Formate, die der Editor für die Datenbank gespeichert hat, sonst die des Desktops).</translation>
    </message>
    <message>
        <source>info, dump, export and replace: only the records where the condition holds (repeated: all of them): FIELD=V1,V2 FIELD!=V FIELD&lt;V FIELD&lt;=V FIELD&gt;V FIELD&gt;=V FIELD~REGEX FIELD^=T FIELD$=T FIELD*=T, FIELD= (empty), FIELD!= (not empty).</source>
        <translation>info, dump, export und replace: nur die Datensätze, für die die Bedingung gilt (mehrfach angegeben: alle Bedingungen): FELD=W1,W2 FELD!=W FELD&lt;W FELD&lt;=W FELD&gt;W FELD&gt;=W FELD~REGEX FELD^=T FELD$=T FELD*=T, FELD= (leer), FELD!= (nicht leer).</translation>
    </message>
    <message>
        <source>import: give each field the type all its values suggest (append: --plan shows them).</source>
        <translation>import: jedem Feld den Typ geben, den alle seine Werte nahelegen (append: --plan zeigt sie).</translation>
    </message>
    <message>
        <source>import: field types by name or number, as &quot;Name=String,Umsatz=Float,3=Normal Date&quot;.</source>
        <translation>import: Feldtypen nach Name oder Nummer, etwa „Name=String,Umsatz=Float,3=Normal Date“.</translation>
    </message>
    <message>
        <source>import, append: print the plan as JSON (columns, types, values that do not fit, limits, warnings) and write nothing.</source>
        <translation>import, append: den Plan als JSON ausgeben (Spalten, Typen, unpassende Werte, Grenzen, Warnungen) und nichts schreiben.</translation>
    </message>
    <message>
        <source>--types takes NAME=TYPE or NUMBER=TYPE of the file&apos;s fields, not &apos;%1&apos;.</source>
        <translation>--types erwartet NAME=TYP oder NUMMER=TYP der Felder der Datei, nicht „%1“.</translation>
    </message>
    <message>
        <source>the differences of two databases; exit status 0 same, 1 different, 2 trouble (--key --no-ignore-stamps --json --csv)</source>
        <translation>die Unterschiede zweier Datenbanken; Exit-Status 0 gleich, 1 verschieden, 2 Fehler (--key --no-ignore-stamps --json --csv)</translation>
    </message>
    <message>
        <source>info and diff: as a JSON object.</source>
        <translation>info und diff: als JSON-Objekt.</translation>
    </message>
    <message>
        <source>diff: match records by this field (default: the auto-increment field, else by content).</source>
        <translation>diff: Datensätze über dieses Feld zuordnen (Vorgabe: das automatisch hochzählende Feld, sonst nach Inhalt).</translation>
    </message>
    <message>
        <source>diff: modification dates and times are no change (the default).</source>
        <translation>diff: Änderungsdatum und -zeit zählen nicht als Änderung (Vorgabe).</translation>
    </message>
    <message>
        <source>diff: modification dates and times count as changes.</source>
        <translation>diff: Änderungsdatum und -zeit zählen als Änderung.</translation>
    </message>
    <message>
        <source>diff: one CSV line per changed cell (key, field, old, new).</source>
        <translation>diff: eine CSV-Zeile je geänderter Zelle (Schlüssel, Feld, alt, neu).</translation>
    </message>
    <message>
        <source>--ignore-stamps and --no-ignore-stamps exclude each other.</source>
        <translation>--ignore-stamps und --no-ignore-stamps schließen einander aus.</translation>
    </message>
    <message>
        <source>--json and --csv exclude each other.</source>
        <translation>--json und --csv schließen einander aus.</translation>
    </message>
    <message>
        <source>--key needs a field name.</source>
        <translation>--key braucht einen Feldnamen.</translation>
    </message>
    <message>
        <source>draw a chart of the records as SVG, PNG or PDF (--x --y --kind --group-by --sum/--average/--min/--max/--count --bins --size --output), or print the grouped figures as CSV (--table FILE.csv or -)</source>
        <translation>ein Diagramm der Datensätze als SVG, PNG oder PDF zeichnen (--x --y --kind --group-by --sum/--average/--min/--max/--count --bins --size --output) oder die gruppierten Werte als CSV ausgeben (--table DATEI.csv oder -)</translation>
    </message>
    <message>
        <source>import --type sqlite: the table or view to read; chart: the CSV file of the grouped figures (- for standard output).</source>
        <translation>import --type sqlite: die zu lesende Tabelle oder Sicht; chart: die CSV-Datei der gruppierten Werte (- für die Standardausgabe).</translation>
    </message>
    <message>
        <source>replace: write to this file instead of the database&apos;s own; chart: the picture to write (.svg, .png or .pdf).</source>
        <translation>replace: in diese Datei statt in die Datei der Datenbank schreiben; chart: das zu schreibende Bild (.svg, .png oder .pdf).</translation>
    </message>
    <message>
        <source>chart: the field along X (default: the record number).</source>
        <translation>chart: das Feld der X-Achse (Vorgabe: die Datensatznummer).</translation>
    </message>
    <message>
        <source>chart: the fields along Y, separated by commas (a field ending in :right on the right axis).</source>
        <translation>chart: die Felder der Y-Achse, durch Kommas getrennt (ein Feld mit :right am Ende auf der rechten Achse).</translation>
    </message>
    <message>
        <source>chart: line, scatter, bars, stacked, histogram or counts (default line; grouped with --group-by).</source>
        <translation>chart: line, scatter, bars, stacked, histogram oder counts (Vorgabe line; grouped mit --group-by).</translation>
    </message>
    <message>
        <source>chart: group the records by this field, a date field by :day, :week, :month, :quarter or :year.</source>
        <translation>chart: die Datensätze nach diesem Feld gruppieren, ein Datumsfeld nach :day, :week, :month, :quarter oder :year.</translation>
    </message>
    <message>
        <source>chart: the records of each group (the default figure).</source>
        <translation>chart: die Anzahl der Datensätze je Gruppe (die Vorgabe).</translation>
    </message>
    <message>
        <source>chart: the sum of this field per group.</source>
        <translation>chart: die Summe dieses Feldes je Gruppe.</translation>
    </message>
    <message>
        <source>chart: the average of this field per group.</source>
        <translation>chart: der Mittelwert dieses Feldes je Gruppe.</translation>
    </message>
    <message>
        <source>chart: the smallest value of this field per group.</source>
        <translation>chart: der kleinste Wert dieses Feldes je Gruppe.</translation>
    </message>
    <message>
        <source>chart: the largest value of this field per group.</source>
        <translation>chart: der größte Wert dieses Feldes je Gruppe.</translation>
    </message>
    <message>
        <source>chart: the histogram&apos;s bin count (default: chosen from the values).</source>
        <translation>chart: die Anzahl der Klassen des Histogramms (Vorgabe: aus den Werten gewählt).</translation>
    </message>
    <message>
        <source>chart: the picture&apos;s size in pixels (default 1200x800).</source>
        <translation>chart: die Größe des Bildes in Pixeln (Vorgabe 1200x800).</translation>
    </message>
    <message>
        <source>chart takes one of --count, --sum, --average, --min and --max.</source>
        <translation>chart nimmt nur eine der Optionen --count, --sum, --average, --min und --max.</translation>
    </message>
    <message>
        <source>--bins is a count from 1 to 500.</source>
        <translation>--bins ist eine Anzahl von 1 bis 500.</translation>
    </message>
    <message>
        <source>--size is WIDTHxHEIGHT in pixels, from 100x100 to 10000x10000.</source>
        <translation>--size ist BREITExHÖHE in Pixeln, von 100x100 bis 10000x10000.</translation>
    </message>
    <message>
        <source>chart needs --output FILE (.svg, .png or .pdf) or --table FILE.csv.</source>
        <translation>chart braucht --output DATEI (.svg, .png oder .pdf) oder --table DATEI.csv.</translation>
    </message>
    <message>
        <source>--output of chart ends in .svg, .png or .pdf.</source>
        <translation>--output von chart endet auf .svg, .png oder .pdf.</translation>
    </message>
    <message>
        <source>--encoding is for --type csv, and for import and append of text.</source>
        <translation>--encoding gilt für --type csv sowie für das Importieren und Anhängen von Text.</translation>
    </message>
</context>
<context>
    <name>CliPrompter</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>(answered %1 because of --yes)</source>
        <translation>(mit %1 beantwortet wegen --yes)</translation>
    </message>
    <message>
        <source>(answered %1; --yes answers %2)</source>
        <translation>(mit %1 beantwortet; --yes antwortet %2)</translation>
    </message>
</context>
<context>
    <name>CodePageConverter</name>
    <message>
        <source>field names</source>
        <translation>Feldnamen</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
</context>
<context>
    <name>ColumnFilter</name>
    <message>
        <source>= %1</source>
        <translation>= %1</translation>
    </message>
    <message>
        <source>≠ %1</source>
        <translation>≠ %1</translation>
    </message>
    <message>
        <source>contains %1</source>
        <translation>enthält %1</translation>
    </message>
    <message>
        <source>does not contain %1</source>
        <translation>enthält nicht %1</translation>
    </message>
    <message>
        <source>begins with %1</source>
        <translation>beginnt mit %1</translation>
    </message>
    <message>
        <source>ends with %1</source>
        <translation>endet auf %1</translation>
    </message>
    <message>
        <source>matches %1</source>
        <translation>passt zu %1</translation>
    </message>
    <message>
        <source>&lt; %1</source>
        <translation>&lt; %1</translation>
    </message>
    <message>
        <source>≤ %1</source>
        <translation>≤ %1</translation>
    </message>
    <message>
        <source>&gt; %1</source>
        <translation>&gt; %1</translation>
    </message>
    <message>
        <source>≥ %1</source>
        <translation>≥ %1</translation>
    </message>
    <message>
        <source>between %1 and %2</source>
        <translation>zwischen %1 und %2</translation>
    </message>
    <message>
        <source>top %1</source>
        <translation>die %1 größten</translation>
    </message>
    <message>
        <source>bottom %1</source>
        <translation>die %1 kleinsten</translation>
    </message>
    <message>
        <source>checked</source>
        <translation>angekreuzt</translation>
    </message>
    <message>
        <source>unchecked</source>
        <translation>nicht angekreuzt</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>not empty</source>
        <translation>nicht leer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date in the regional formats.</source>
        <translation>„%1“ ist in den regionalen Formaten kein Datum.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time in the regional formats.</source>
        <translation>„%1“ ist in den regionalen Formaten keine Uhrzeit.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number in the regional formats.</source>
        <translation>„%1“ ist in den regionalen Formaten keine Zahl.</translation>
    </message>
    <message>
        <source>The regular expression is not valid: %1.</source>
        <translation>Der reguläre Ausdruck ist ungültig: %1.</translation>
    </message>
    <message>
        <source>Only Boolean fields are checked or unchecked.</source>
        <translation>Nur boolesche Felder sind angekreuzt oder nicht angekreuzt.</translation>
    </message>
    <message>
        <source>Only numbers, dates and times are compared by size.</source>
        <translation>Nur Zahlen, Datumsangaben und Uhrzeiten werden der Größe nach verglichen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number of records.</source>
        <translation>„%1“ ist keine Anzahl von Datensätzen.</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>no value</source>
        <translation>kein Wert</translation>
    </message>
    <message>
        <source>one of: %1</source>
        <translation>einer von: %1</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Kribed PRO, an editor for Kribo databases.</source>
        <translation>Kribed PRO, ein Editor für Kribo-Datenbanken.</translation>
    </message>
    <message>
        <source>The Kribo database (.pdb) to open.</source>
        <translation>Die zu öffnende Kribo-Datenbank (.pdb).</translation>
    </message>
    <message>
        <source>Only one file can be opened.</source>
        <translation>Es kann nur eine Datei geöffnet werden.</translation>
    </message>
    <message>
        <source>The interface&apos;s language: de or en.</source>
        <translation>Die Sprache der Oberfläche: de oder en.</translation>
    </message>
    <message>
        <source>Unknown language: %1</source>
        <translation>Unbekannte Sprache: %1</translation>
    </message>
    <message>
        <source>Try &apos;kribed --help&apos; for more information.</source>
        <translation>Mit „kribed --help“ erfahren Sie mehr.</translation>
    </message>
</context>
<context>
    <name>CsvExchange</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Is the file in UTF-8?
Yes: UTF-8, as most programs of today write it.
No: the code page %1 of the display font.</source>
        <translation>Ist die Datei in UTF-8?
Ja: UTF-8, wie die meisten heutigen Programme schreiben.
Nein: die Codepage %1 der Anzeigeschriftart.</translation>
    </message>
    <message>
        <source>Write the file in UTF-8?
Yes: UTF-8, which most programs of today read.
No: the code page %1 of the display font.</source>
        <translation>Die Datei in UTF-8 schreiben?
Ja: UTF-8, das die meisten heutigen Programme lesen.
Nein: die Codepage %1 der Anzeigeschriftart.</translation>
    </message>
    <message>
        <source>Standard CSV</source>
        <translation>Standard-CSV</translation>
    </message>
    <message>
        <source>1 character cannot be held by the code page %1 and will become &quot;?&quot;: %2</source>
        <translation>1 Zeichen kann in der Codepage %1 nicht dargestellt werden und wird zu „?“: %2</translation>
    </message>
    <message>
        <source>%1 characters cannot be held by the code page %2 and will become &quot;?&quot;: %3</source>
        <translation>%1 Zeichen können in der Codepage %2 nicht dargestellt werden und werden zu „?“: %3</translation>
    </message>
    <message>
        <source>1 byte of the text is not UTF-8 and will become &quot;?&quot;.</source>
        <translation>1 Byte des Textes ist kein UTF-8 und wird zu „?“.</translation>
    </message>
    <message>
        <source>%1 bytes of the text are not UTF-8 and will become &quot;?&quot;.</source>
        <translation>%1 Bytes des Textes sind kein UTF-8 und werden zu „?“.</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>Datensätze: %1</translation>
    </message>
    <message>
        <source>Continue?</source>
        <translation>Fortfahren?</translation>
    </message>
    <message>
        <source>1 byte is no character of the code page %1 and will be written as &quot;?&quot;.</source>
        <translation>1 Byte ist kein Zeichen der Codepage %1 und wird als „?“ geschrieben.</translation>
    </message>
    <message>
        <source>%1 bytes are no characters of the code page %2 and will be written as &quot;?&quot;.</source>
        <translation>%1 Bytes sind keine Zeichen der Codepage %2 und werden als „?“ geschrieben.</translation>
    </message>
    <message>
        <source>
Records: %1
Continue?</source>
        <translation>
Datensätze: %1
Fortfahren?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>DatabaseCompare</name>
    <message>
        <source>No differences</source>
        <translation>Keine Unterschiede</translation>
    </message>
    <message>
        <source>Field added</source>
        <translation>Feld hinzugefügt</translation>
    </message>
    <message>
        <source>Field removed</source>
        <translation>Feld entfernt</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Popup list</source>
        <translation>Auswahlliste</translation>
    </message>
    <message numerus="yes">
        <source>%1 added, %2 removed, %3 changed in %n field(s)</source>
        <translation>
            <numerusform>%1 hinzugefügt, %2 entfernt, %3 geändert in %n Feld</numerusform>
            <numerusform>%1 hinzugefügt, %2 entfernt, %3 geändert in %n Feldern</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n definition(s) and setting(s) differ</source>
        <translation>
            <numerusform>; %n Definition oder Einstellung weicht ab</numerusform>
            <numerusform>; %n Definitionen und Einstellungen weichen ab</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditMessages</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
</context>
<context>
    <name>FieldType</name>
    <message>
        <source>String</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Boolean</source>
        <translation>Boolesch</translation>
    </message>
    <message>
        <source>Normal Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Creation Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Modification Date</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Normal Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Creation Time</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Modification Time </source>
        <translation>Änderungszeit </translation>
    </message>
    <message>
        <source>Normal PopUp</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Multiple Popup</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Normal Integer</source>
        <translation>Ganzzahl</translation>
    </message>
    <message>
        <source>Auto-increment Integer</source>
        <translation>Ganzzahl, automatisch hochzählend</translation>
    </message>
    <message>
        <source>Float</source>
        <translation>Gleitkommazahl</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>You have not saved the changes to this file and you will lose the changes if you close this file. Are sure that you want to close this file?</source>
        <translation>Sie haben die Änderungen an dieser Datei nicht gespeichert; beim Schließen der Datei gehen sie verloren. Möchten Sie diese Datei wirklich schließen?</translation>
    </message>
</context>
<context>
    <name>Fill</name>
    <message>
        <source>The step is no number.</source>
        <translation>Die Schrittweite ist keine Zahl.</translation>
    </message>
    <message>
        <source>The start value is too large.</source>
        <translation>Der Startwert ist zu groß.</translation>
    </message>
    <message>
        <source>The start value reads neither as a number nor as a date.</source>
        <translation>Der Startwert lässt sich weder als Zahl noch als Datum lesen.</translation>
    </message>
    <message>
        <source>A series of dates needs a whole number of days as its step.</source>
        <translation>Eine Datumsreihe braucht eine ganze Zahl von Tagen als Schrittweite.</translation>
    </message>
    <message>
        <source>The series of dates leaves the calendar.</source>
        <translation>Die Datumsreihe verlässt den Kalender.</translation>
    </message>
</context>
<context>
    <name>Find</name>
    <message>
        <source>Find error</source>
        <translation>Fehler beim Suchen</translation>
    </message>
    <message>
        <source>Search text not found.</source>
        <translation>Suchtext nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>FontScript</name>
    <message>
        <source>Western</source>
        <translation>Westlich</translation>
    </message>
    <message>
        <source>Central European</source>
        <translation>Mitteleuropäisch</translation>
    </message>
    <message>
        <source>Cyrillic</source>
        <translation>Kyrillisch</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>Griechisch</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Türkisch</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>Hebräisch</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>Arabisch</translation>
    </message>
    <message>
        <source>Baltic</source>
        <translation>Baltisch</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>Vietnamesisch</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>Thailändisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Koreanisch</translation>
    </message>
    <message>
        <source>Simplified Chinese</source>
        <translation>Chinesisch (vereinfacht)</translation>
    </message>
    <message>
        <source>Traditional Chinese</source>
        <translation>Chinesisch (traditionell)</translation>
    </message>
</context>
<context>
    <name>FormatsCheck</name>
    <message>
        <source>d MMMM yyyy</source>
        <comment>a date read from a cell, as the toolkit&apos;s format: day, month name, year</comment>
        <translation>d. MMMM yyyy</translation>
    </message>
</context>
<context>
    <name>FormatsNames</name>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>English (United Kingdom)</source>
        <translation>Englisch (Vereinigtes Königreich)</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>German (Switzerland)</source>
        <translation>Deutsch (Schweiz)</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italienisch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Niederländisch</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>Schwedisch</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>Finnisch</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polnisch</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>Tschechisch</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Koreanisch</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
    <message>
        <source>Chinese (Taiwan)</source>
        <translation>Chinesisch (Taiwan)</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugiesisch</translation>
    </message>
</context>
<context>
    <name>HeaderHints</name>
    <message>
        <source>Checked: %1   Unchecked: %2</source>
        <translation>Aktiviert: %1   Nicht aktiviert: %2</translation>
    </message>
    <message>
        <source>Total: </source>
        <translation>Summe: </translation>
    </message>
    <message>
        <source>
Average: </source>
        <translation>
Durchschnitt: </translation>
    </message>
    <message>
        <source>String</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Boolean
</source>
        <translation>Boolesch
</translation>
    </message>
    <message>
        <source>Normal Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Creation Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Modification Date</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Normal Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Creation Time</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Modification Time</source>
        <translation>Änderungszeit</translation>
    </message>
    <message>
        <source>Normal Popup</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Multiple Popup</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Normal Integer
</source>
        <translation>Ganzzahl
</translation>
    </message>
    <message>
        <source>Auto-increment Integer
</source>
        <translation>Ganzzahl, automatisch hochzählend
</translation>
    </message>
    <message>
        <source>Float
</source>
        <translation>Gleitkommazahl
</translation>
    </message>
    <message>
        <source> Records</source>
        <translation> Datensätze</translation>
    </message>
    <message>
        <source>
Width: </source>
        <translation>
Breite: </translation>
    </message>
</context>
<context>
    <name>ImportChoices</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Every column is skipped.</source>
        <translation>Alle Spalten werden übersprungen.</translation>
    </message>
    <message>
        <source>1 value does not fit its field&apos;s type and was imported as its text.</source>
        <translation>1 Wert passt nicht zum Typ seines Feldes und wurde als Text importiert.</translation>
    </message>
    <message>
        <source>%1 values do not fit their field&apos;s type and were imported as their text.</source>
        <translation>%1 Werte passen nicht zum Typ ihres Feldes und wurden als Text importiert.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>ImportFindings</name>
    <message>
        <source>The table holds more records than a database takes: those after the first %1 are left out.</source>
        <translation>Die Tabelle enthält mehr Datensätze, als eine Datenbank aufnimmt: Die nach den ersten %1 werden ausgelassen.</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) after the 9999th are left out.</source>
        <translation>
            <numerusform>%n Datensatz nach dem 9999. wird ausgelassen.</numerusform>
            <numerusform>%n Datensätze nach dem 9999. werden ausgelassen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) do not fit: the database takes no more records.</source>
        <translation>
            <numerusform>%n Zeile passt nicht: Die Datenbank nimmt keine weiteren Datensätze auf.</numerusform>
            <numerusform>%n Zeilen passen nicht: Die Datenbank nimmt keine weiteren Datensätze auf.</numerusform>
        </translation>
    </message>
    <message>
        <source>Lines hold up to %1 fields, a database at most %2: the last field takes each line&apos;s last value.</source>
        <translation>Zeilen enthalten bis zu %1 Felder, eine Datenbank höchstens %2: Das letzte Feld erhält den letzten Wert jeder Zeile.</translation>
    </message>
    <message>
        <source>Lines hold up to %1 fields, the database %2: the others are dropped.</source>
        <translation>Zeilen enthalten bis zu %1 Felder, die Datenbank %2: Die übrigen entfallen.</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) are longer than 4000 bytes and will be cut.</source>
        <translation>
            <numerusform>%n Wert ist länger als 4000 Bytes und wird gekürzt.</numerusform>
            <numerusform>%n Werte sind länger als 4000 Bytes und werden gekürzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Field %1 has no name.</source>
        <translation>Feld %1 hat keinen Namen.</translation>
    </message>
    <message>
        <source>The name of field %1 is cut to &quot;%2&quot;.</source>
        <translation>Der Name von Feld %1 wird auf „%2“ gekürzt.</translation>
    </message>
    <message>
        <source>Fields %1 and %2 are both named &quot;%3&quot;.</source>
        <translation>Die Felder %1 und %2 heißen beide „%3“.</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) are not in the chosen encoding: they show as &quot;?&quot; and are imported so.</source>
        <translation>
            <numerusform>%n Byte ist nicht in der gewählten Kodierung: Es erscheint als „?“ und wird so importiert.</numerusform>
            <numerusform>%n Bytes sind nicht in der gewählten Kodierung: Sie erscheinen als „?“ und werden so importiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n character(s) cannot be held by the code page and become &quot;?&quot;.</source>
        <translation>
            <numerusform>%n Zeichen kann in der Codepage nicht dargestellt werden und wird zu „?“.</numerusform>
            <numerusform>%n Zeichen können in der Codepage nicht dargestellt werden und werden zu „?“.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>The file holds NUL bytes: it is no text file, or in an encoding this import does not read.</source>
        <translation>Die Datei enthält NUL-Bytes: Sie ist keine Textdatei oder in einer Kodierung, die dieser Import nicht liest.</translation>
    </message>
    <message>
        <source>The file looks like UTF-8, which this type reads byte by byte: choose Standard CSV in UTF-8 to read its characters.</source>
        <translation>Die Datei sieht nach UTF-8 aus, das dieser Typ Byte für Byte liest: Wählen Sie Standard-CSV in UTF-8, um ihre Zeichen zu lesen.</translation>
    </message>
    <message>
        <source>Line %1 is %2 MB long, more than a record can hold: what lies beyond 50 values of 4000 bytes is lost.</source>
        <translation>Zeile %1 ist %2 MB lang, mehr als ein Datensatz aufnehmen kann: Was über 50 Werte zu 4000 Bytes hinausgeht, geht verloren.</translation>
    </message>
    <message>
        <source>Most of the file would be lost: it cannot be imported as it is read now.</source>
        <translation>Der größte Teil der Datei ginge verloren: So, wie sie jetzt gelesen wird, kann sie nicht importiert werden.</translation>
    </message>
    <message>
        <source>The lines end in line feeds alone, which this type does not take as line ends: Standard CSV does.</source>
        <translation>Die Zeilen enden nur mit Zeilenvorschüben, die dieser Typ nicht als Zeilenende nimmt: Standard-CSV tut das.</translation>
    </message>
    <message numerus="yes">
        <source>%n more problem(s) with field names.</source>
        <translation>
            <numerusform>%n weiteres Problem mit Feldnamen.</numerusform>
            <numerusform>%n weitere Probleme mit Feldnamen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Install</name>
    <message>
        <source>Kribed-pro</source>
        <translation>Kribed-pro</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>The column width is changed by auto-width and could be unsuitable for the handheld display.
Do you want to save the file with the prevouis width settings?</source>
        <translation>Die Spaltenbreite wurde durch die automatische Spaltenbreite geändert und ist für die Anzeige des Handhelds möglicherweise ungeeignet.
Möchten Sie die Datei mit den vorherigen Spaltenbreiten speichern?</translation>
    </message>
    <message>
        <source>The Database is saved and ready for synchronizing.</source>
        <translation>Die Datenbank ist gespeichert und bereit zur Synchronisierung.</translation>
    </message>
    <message>
        <source>The Database is ready for synchronizing.</source>
        <translation>Die Datenbank ist bereit zur Synchronisierung.</translation>
    </message>
</context>
<context>
    <name>NewDatabase</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please use a numerical value.</source>
        <translation>Bitte geben Sie einen Zahlenwert ein.</translation>
    </message>
    <message>
        <source>Please use 1 - 30 characters for the database name.</source>
        <translation>Bitte verwenden Sie 1 bis 30 Zeichen für den Datenbanknamen.</translation>
    </message>
    <message>
        <source>Please use 1 - 9999 rows.</source>
        <translation>Bitte verwenden Sie 1 bis 9999 Zeilen.</translation>
    </message>
    <message>
        <source>Please use 1 - 50 columns.</source>
        <translation>Bitte verwenden Sie 1 bis 50 Spalten.</translation>
    </message>
    <message>
        <source>Please use 1 - 300 for the field width.</source>
        <translation>Bitte verwenden Sie 1 bis 300 für die Feldbreite.</translation>
    </message>
</context>
<context>
    <name>PdbReader</name>
    <message>
        <source>It&apos;s not a Kribo database.</source>
        <translation>Dies ist keine Kribo-Datenbank.</translation>
    </message>
    <message>
        <source>There was an error opening the file. This may caused by an invalid filename or path, or the file may be in use by another application.</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten. Möglicherweise ist der Dateiname oder Pfad ungültig, oder die Datei wird von einer anderen Anwendung verwendet.</translation>
    </message>
    <message>
        <source>This database created by Kribo 3 will be converted into the Kribo pro format. 
Please note, that the changes don&apos;t come up in Kribo 3.</source>
        <translation>Diese mit Kribo 3 erstellte Datenbank wird in das Kribo-pro-Format umgewandelt. 
Bitte beachten Sie, dass die Änderungen in Kribo 3 nicht erscheinen.</translation>
    </message>
    <message>
        <source>There is a unknown database version. This may cause same problems.
Please contact instantly the developer by email:  </source>
        <translation>Die Datenbankversion ist unbekannt. Dies kann zu Problemen führen.
Bitte wenden Sie sich umgehend per E-Mail an den Entwickler:  </translation>
    </message>
    <message>
        <source>There is a unknown fieldtype. This may cause serious problems.
Please contact instantly the developer by email:  </source>
        <translation>Ein Feldtyp ist unbekannt. Dies kann zu ernsten Problemen führen.
Bitte wenden Sie sich umgehend per E-Mail an den Entwickler:  </translation>
    </message>
    <message>
        <source>Error: Read Record line</source>
        <translation>Fehler: Datensatzzeile lesen</translation>
    </message>
    <message>
        <source>Error: Read Record string</source>
        <translation>Fehler: Datensatztext lesen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error: Version</source>
        <translation>Fehler: Version</translation>
    </message>
    <message>
        <source>Error: Record Ptr</source>
        <translation>Fehler: Datensatzzeiger</translation>
    </message>
    <message>
        <source>Error: Seek Fieldtype</source>
        <translation>Fehler: Feldtyp suchen</translation>
    </message>
    <message>
        <source>Error: Seek KRStruc</source>
        <translation>Fehler: KRStruc suchen</translation>
    </message>
    <message>
        <source>Error: Size KRStruc</source>
        <translation>Fehler: Größe von KRStruc</translation>
    </message>
</context>
<context>
    <name>PdbWriter</name>
    <message>
        <source>Kribed-pro</source>
        <translation>Kribed-pro</translation>
    </message>
    <message>
        <source>Too much popups!</source>
        <translation>Zu viele Einträge in Auswahllisten!</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>There was an error in saving the file. This may be caused by an invalid filename or a full or write protected disk.</source>
        <translation>Beim Speichern der Datei ist ein Fehler aufgetreten. Möglicherweise ist der Dateiname ungültig oder der Datenträger voll oder schreibgeschützt.</translation>
    </message>
</context>
<context>
    <name>PrintLayout</name>
    <message>
        <source>Kribed - Page </source>
        <translation>Kribed - Seite </translation>
    </message>
    <message>
        <source>Page </source>
        <translation>Seite </translation>
    </message>
</context>
<context>
    <name>PropertiesEdit</name>
    <message>
        <source>Please use 1 - 30 characters for the database name.</source>
        <translation>Bitte verwenden Sie 1 bis 30 Zeichen für den Datenbanknamen.</translation>
    </message>
    <message>
        <source>Please use 1 - 20 characters for the field name.</source>
        <translation>Bitte verwenden Sie 1 bis 20 Zeichen für den Feldnamen.</translation>
    </message>
    <message>
        <source>Please use 1 - 300 for the field width</source>
        <translation>Bitte verwenden Sie 1 bis 300 für die Feldbreite</translation>
    </message>
    <message>
        <source>Please use a numerical value for the increment amount</source>
        <translation>Bitte geben Sie einen Zahlenwert für die Schrittweite ein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; can&apos;t be a popup entry: Kribo would take it for the start of a popup list.</source>
        <translation>„%1“ kann kein Eintrag der Auswahlliste sein: Kribo würde ihn für den Beginn einer Auswahlliste halten.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Print preview</source>
        <translation>Druckvorschau</translation>
    </message>
</context>
<context>
    <name>Replace</name>
    <message>
        <source>%1 (at character %2)</source>
        <translation>%1 (bei Zeichen %2)</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Replace anyway?</source>
        <translation>
            <numerusform>%n Zelle lässt sich danach nicht mehr als Typ ihres Feldes lesen (Datum, Uhrzeit, Zahl oder Boolesch).<byte value="xd"/>Trotzdem ersetzen?</numerusform>
            <numerusform>%n Zellen lassen sich danach nicht mehr als Typ ihres Feldes lesen (Datum, Uhrzeit, Zahl oder Boolesch).<byte value="xd"/>Trotzdem ersetzen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Replace anyway?</source>
        <translation>Trotzdem ersetzen?</translation>
    </message>
    <message numerus="yes">
        <source>in %n record(s)</source>
        <translation>
            <numerusform>in %n Datensatz</numerusform>
            <numerusform>in %n Datensätzen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n replacement(s) %1.</source>
        <translation>
            <numerusform>%n Ersetzung %1.</numerusform>
            <numerusform>%n Ersetzungen %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of these records are hidden by the filter.</source>
        <translation>
            <numerusform>%n dieser Datensätze ist durch den Filter ausgeblendet.</numerusform>
            <numerusform>%n dieser Datensätze sind durch den Filter ausgeblendet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) were cut at the longest value a record holds (%1 bytes).</source>
        <translation>
            <numerusform>%n Zelle wurde auf den längsten Wert gekürzt, den ein Datensatz aufnehmen kann (%1 Bytes).</numerusform>
            <numerusform>%n Zellen wurden auf den längsten Wert gekürzt, den ein Datensatz aufnehmen kann (%1 Bytes).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) no longer read as their field&apos;s type.</source>
        <translation>
            <numerusform>%n Zelle lässt sich nicht mehr als Typ ihres Feldes lesen.</numerusform>
            <numerusform>%n Zellen lassen sich nicht mehr als Typ ihres Feldes lesen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RowClipboard</name>
    <message>
        <source>Do you want to cut the selected row?</source>
        <translation>Möchten Sie die ausgewählte Zeile ausschneiden?</translation>
    </message>
    <message>
        <source>Do you want to paste the selected row?</source>
        <translation>Möchten Sie die ausgewählte Zeile einfügen?</translation>
    </message>
</context>
<context>
    <name>RowColumnOps</name>
    <message>
        <source>You mustn&apos;t have more than 9999 rows in Kribo</source>
        <translation>Kribo erlaubt nicht mehr als 9999 Zeilen</translation>
    </message>
    <message>
        <source>You mustn&apos;t have more than 9999 rows in Kribo.</source>
        <translation>Kribo erlaubt nicht mehr als 9999 Zeilen.</translation>
    </message>
    <message>
        <source>You mustn&apos;t delete the first row!</source>
        <translation>Die erste Zeile darf nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>Do you want to delete the selected row?</source>
        <translation>Möchten Sie die ausgewählte Zeile löschen?</translation>
    </message>
    <message>
        <source>You mustn&apos;t have more than 50 columns in Kribo!</source>
        <translation>Kribo erlaubt nicht mehr als 50 Spalten!</translation>
    </message>
    <message>
        <source>You mustn&apos;t delete the first column!</source>
        <translation>Die erste Spalte darf nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>Do you want to delete the selected column?</source>
        <translation>Möchten Sie die ausgewählte Spalte löschen?</translation>
    </message>
</context>
<context>
    <name>SqliteExport</name>
    <message>
        <source>1 cell did not convert to its field&apos;s type and was kept as text:</source>
        <translation>1 Zelle ließ sich nicht in den Typ ihres Feldes umwandeln und wurde als Text beibehalten:</translation>
    </message>
    <message>
        <source>%1 cells did not convert to their field&apos;s type and were kept as text:</source>
        <translation>%1 Zellen ließen sich nicht in den Typ ihres Feldes umwandeln und wurden als Text beibehalten:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>SQLite database (*.sqlite)</source>
        <translation>SQLite-Datenbank (*.sqlite)</translation>
    </message>
</context>
<context>
    <name>SqliteImport</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The SQLite database is locked by another program. Close it there and try again.</source>
        <translation>Die SQLite-Datenbank ist von einem anderen Programm gesperrt. Schließen Sie sie dort und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The file is no SQLite database that can be read: it is damaged or encrypted.</source>
        <translation>Die Datei ist keine lesbare SQLite-Datenbank: Sie ist beschädigt oder verschlüsselt.</translation>
    </message>
    <message>
        <source>The table has %1 columns and %2 rows; a database holds at most %3 fields and %4 records.<byte value="xd"/>Import the first ones?</source>
        <translation>Die Tabelle hat %1 Spalten und %2 Zeilen; eine Datenbank fasst höchstens %3 Felder und %4 Datensätze.<byte value="xd"/>Die ersten davon importieren?</translation>
    </message>
    <message>
        <source>The SQLite database holds no table or view named &quot;%1&quot;.</source>
        <translation>Die SQLite-Datenbank enthält keine Tabelle und keine Ansicht namens „%1“.</translation>
    </message>
    <message>
        <source>SQLite database (*.sqlite *.db)</source>
        <translation>SQLite-Datenbank (*.sqlite *.db)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a value longer than %2 MB, which cannot be read.</source>
        <translation>„%1“ enthält einen Wert, der länger als %2 MB ist und nicht gelesen werden kann.</translation>
    </message>
    <message>
        <source>There was not enough memory to read &quot;%1&quot;.</source>
        <translation>Der Arbeitsspeicher reichte nicht aus, um „%1“ zu lesen.</translation>
    </message>
    <message>
        <source>SQLite cannot read the table or view &quot;%1&quot;: %2</source>
        <translation>SQLite kann die Tabelle oder Ansicht „%1“ nicht lesen: %2</translation>
    </message>
    <message>
        <source>The view has %1 columns and more than %2 rows; a database holds at most %3 fields and %4 records.<byte value="xd"/>Import the first ones?</source>
        <translation>Die Ansicht hat %1 Spalten und mehr als %2 Zeilen; eine Datenbank fasst höchstens %3 Felder und %4 Datensätze.<byte value="xd"/>Die ersten davon importieren?</translation>
    </message>
    <message>
        <source>The popup entry has been left out.</source>
        <translation>Der Eintrag der Auswahlliste wurde weggelassen.</translation>
    </message>
    <message>
        <source>The popup entries have been left out.</source>
        <translation>Die Einträge der Auswahlliste wurden weggelassen.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>1 value was longer than 4000 bytes and has been cut to its first 4000 bytes.</source>
        <translation>1 Wert war länger als 4000 Bytes und wurde auf seine ersten 4000 Bytes gekürzt.</translation>
    </message>
    <message>
        <source>%1 values were longer than 4000 bytes and have been cut to their first 4000 bytes.</source>
        <translation>%1 Werte waren länger als 4000 Bytes und wurden auf ihre ersten 4000 Bytes gekürzt.</translation>
    </message>
    <message>
        <source>1 value was binary data (BLOB) and has been imported as hexadecimal text X&apos;...&apos;, as SQLite shows it.</source>
        <translation>1 Wert bestand aus Binärdaten (BLOB) und wurde als hexadezimaler Text X&apos;...&apos; importiert, wie SQLite ihn zeigt.</translation>
    </message>
    <message>
        <source>%1 values were binary data (BLOB) and have been imported as hexadecimal text X&apos;...&apos;, as SQLite shows them.</source>
        <translation>%1 Werte bestanden aus Binärdaten (BLOB) und wurden als hexadezimaler Text X&apos;...&apos; importiert, wie SQLite sie zeigt.</translation>
    </message>
    <message>
        <source>1 value was binary data (BLOB) of more than %1 bytes, more than a value can hold as text, and has been left empty.</source>
        <translation>1 Wert bestand aus Binärdaten (BLOB) von mehr als %1 Bytes, mehr als ein Wert als Text fassen kann, und wurde leer gelassen.</translation>
    </message>
    <message>
        <source>%1 values were binary data (BLOB) of more than %2 bytes, more than a value can hold as text, and have been left empty.</source>
        <translation>%1 Werte bestanden aus Binärdaten (BLOB) von mehr als %2 Bytes, mehr als ein Wert als Text fassen kann, und wurden leer gelassen.</translation>
    </message>
    <message>
        <source>1 popup entry was empty or held a NUL character: it would end the popup lists when the database is read.</source>
        <translation>1 Eintrag der Auswahlliste war leer oder enthielt ein NUL-Zeichen: Er würde die Auswahllisten beenden, wenn die Datenbank gelesen wird.</translation>
    </message>
    <message>
        <source>%1 popup entries were empty or held a NUL character: they would end the popup lists when the database is read.</source>
        <translation>%1 Einträge der Auswahlliste waren leer oder enthielten ein NUL-Zeichen: Sie würden die Auswahllisten beenden, wenn die Datenbank gelesen wird.</translation>
    </message>
</context>
<context>
    <name>StartupUsers</name>
    <message>
        <source>Do not show this again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>R%1 of %2</source>
        <translation>Z%1 von %2</translation>
    </message>
    <message>
        <source>C%1 of %2</source>
        <translation>Sp%1 von %2</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Record %1 of %2</source>
        <translation>Datensatz %1 von %2</translation>
    </message>
    <message>
        <source>Column %1 of %2</source>
        <translation>Spalte %1 von %2</translation>
    </message>
    <message>
        <source>Auto sizing on</source>
        <translation>Automatische Spaltenbreite ein</translation>
    </message>
    <message>
        <source>Auto sizing off</source>
        <translation>Automatische Spaltenbreite aus</translation>
    </message>
    <message>
        <source>Filter on</source>
        <translation>Filter ein</translation>
    </message>
    <message>
        <source>Filter off</source>
        <translation>Filter aus</translation>
    </message>
    <message>
        <source>Row sum on</source>
        <translation>Zeilensumme ein</translation>
    </message>
    <message>
        <source>Row sum off</source>
        <translation>Zeilensumme aus</translation>
    </message>
    <message>
        <source>File date %1</source>
        <translation>Dateidatum %1</translation>
    </message>
    <message>
        <source>No file date</source>
        <translation>Kein Dateidatum</translation>
    </message>
    <message>
        <source>Not saved to a file</source>
        <translation>Nicht in einer Datei gespeichert</translation>
    </message>
    <message>
        <source>%1, changed</source>
        <translation>%1, geändert</translation>
    </message>
</context>
<context>
    <name>TextAppend</name>
    <message>
        <source>Some of the imported records do not fit and will be cut. Continue?</source>
        <translation>Einige der importierten Datensätze passen nicht und werden gekürzt. Fortfahren?</translation>
    </message>
</context>
<context>
    <name>TextExport</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>TextFormat</name>
    <message>
        <source>Comma Separator (*.CSV)</source>
        <translation>Komma als Trennzeichen (*.CSV)</translation>
    </message>
    <message>
        <source>Semicolon Separator (*.csv)</source>
        <translation>Semikolon als Trennzeichen (*.csv)</translation>
    </message>
    <message>
        <source>Tab Separator (*.TXT)</source>
        <translation>Tabulator als Trennzeichen (*.TXT)</translation>
    </message>
    <message>
        <source>Comma Separator (*.*)</source>
        <translation>Komma als Trennzeichen (*.*)</translation>
    </message>
    <message>
        <source>Standard CSV (*.csv)</source>
        <translation>Standard-CSV (*.csv)</translation>
    </message>
    <message>
        <source>There was an error opening the file. This may caused by an invalid filename or path, or the file may be in use by another application.</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten. Möglicherweise ist der Dateiname oder Pfad ungültig, oder die Datei wird von einer anderen Anwendung verwendet.</translation>
    </message>
    <message>
        <source>There was an error in saving the file. This may be caused by an invalid filename or a full or write protected disk.</source>
        <translation>Beim Speichern der Datei ist ein Fehler aufgetreten. Möglicherweise ist der Dateiname ungültig oder der Datenträger voll oder schreibgeschützt.</translation>
    </message>
    <message>
        <source>If there is an incorrect import format please try  to change the file type in the import dialog.
Continue?</source>
        <translation>Falls das Importformat nicht stimmt, ändern Sie bitte den Dateityp im Importdialog.
Fortfahren?</translation>
    </message>
</context>
<context>
    <name>TextReading</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>1 value was longer than 4000 characters and has been cut to its first 4000 characters.</source>
        <translation>1 Wert war länger als 4000 Zeichen und wurde auf seine ersten 4000 Zeichen gekürzt.</translation>
    </message>
    <message>
        <source>%1 values were longer than 4000 characters and have been cut to their first 4000 characters.</source>
        <translation>%1 Werte waren länger als 4000 Zeichen und wurden auf ihre ersten 4000 Zeichen gekürzt.</translation>
    </message>
</context>
<context>
    <name>UnheldCharacters</name>
    <message>
        <source>The code page %1 of the display font cannot hold this character; it is stored as &quot;?&quot;: %2</source>
        <translation>Die Codepage %1 der Anzeigeschriftart kann dieses Zeichen nicht darstellen; es wird als „?“ gespeichert: %2</translation>
    </message>
    <message>
        <source>The code page %1 of the display font cannot hold these characters; each is stored as &quot;?&quot;: %2</source>
        <translation>Die Codepage %1 der Anzeigeschriftart kann diese Zeichen nicht darstellen; jedes wird als „?“ gespeichert: %2</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>UserData</name>
    <message>
        <source>The Desktop software for the Palm Computing(R) Platform is not correctly installed.
Nevertheless you can use Kribed without problems.</source>
        <translation>Die Desktop-Software für die Palm Computing(R) Platform ist nicht richtig installiert.
Sie können Kribed trotzdem ohne Probleme verwenden.</translation>
    </message>
    <message>
        <source>Kribed</source>
        <translation>Kribed</translation>
    </message>
    <message>
        <source>The Pilot DeskTop Software is not Correctly Installed</source>
        <translation>Die Pilot-Desktop-Software ist nicht richtig installiert</translation>
    </message>
</context>
<context>
    <name>UserGuide</name>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Kribed PRO edits Kribo databases on your desktop computer. A Kribo database travels
between the handheld and the computer as one .pdb file, which the Palm Desktop software
and its HotSync Manager copy to and from the handheld. Kribed PRO shows the records of
such a file as the rows of a table and its fields as the columns. One database is open
at a time.</source>
        <translation>Kribed PRO bearbeitet Kribo-Datenbanken auf Ihrem Desktop-Computer. Eine Kribo-Datenbank wird als
eine einzige .pdb-Datei zwischen Handheld und Computer übertragen; die Software Palm Desktop und
ihr HotSync Manager kopieren diese Datei auf den Handheld und von dort zurück. Kribed PRO zeigt die
Datensätze einer solchen Datei als Zeilen einer Tabelle und ihre Felder als Spalten. Es ist immer
nur eine Datenbank geöffnet.</translation>
    </message>
    <message>
        <source>Features</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>- opens Kribo pro files, and converts files of the older Kribo 3 into Kribo pro files
- edits cells by their field type: text, Boolean, dates and times, popup lists,
  integers, auto-increment integers and floats
- appends, inserts, deletes, cuts, copies, pastes and drags records and fields
- finds texts, sorts the records, sums columns and rows, prints the table
- creates new databases, imports and exports comma, semicolon and tab separated text
- places a database into the install folder of a handheld user for the next HotSync</source>
        <translation>- Kribo-pro-Dateien öffnen und Dateien des älteren Kribo 3 in Kribo-pro-Dateien umwandeln
- Zellen nach ihrem Feldtyp bearbeiten: Text, Boolesch, Datum und Uhrzeit, Auswahllisten,
  Ganzzahlen, automatisch hochzählende Ganzzahlen und Gleitkommazahlen
- Datensätze und Felder anhängen, einfügen und löschen, ausschneiden, kopieren, einfügen und ziehen
- Texte suchen, Datensätze sortieren, Spalten und Zeilen summieren, die Tabelle drucken
- Datenbanken anlegen, durch Komma, Semikolon oder Tabulator getrennten Text im- und exportieren
- eine Datenbank für den nächsten HotSync in den Installationsordner eines Handheld-Benutzers legen</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Hold the mouse over a field name to see the field&apos;s type and width. Number fields show
their total and average there, Boolean fields how many records are checked. The hint of
the top left cell tells how many records the database holds.
The status bar shows the current row and column, the letters A (automatic widths),
F (filter) and S (row sums) while they are on, the date of the database and its file.
A + after the file name means that there are changes that are not saved yet.</source>
        <translation>Halten Sie die Maus über einen Feldnamen, um Typ und Breite des Feldes zu sehen. Zahlenfelder
zeigen dort ihre Summe und ihren Durchschnitt, boolesche Felder die Anzahl der angekreuzten
Datensätze. Der Hinweis der Zelle oben links nennt die Anzahl der Datensätze der Datenbank.
Die Statusleiste zeigt die aktuelle Zeile und Spalte, die Buchstaben A (automatische
Spaltenbreite), F (Filter) und S (Zeilensumme), solange diese eingeschaltet sind, das Datum der
Datenbank und ihre Datei. Ein + hinter dem Dateinamen zeigt noch nicht gespeicherte Änderungen an.</translation>
    </message>
    <message>
        <source>Installation</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Install Kribed PRO with the package of your system, or build it from its sources.
To place databases on a handheld you need the Palm Desktop software with its HotSync
Manager and at least one handheld user set up in it. Without it Kribed PRO still edits
databases; only the Install command stays disabled.</source>
        <translation>Installieren Sie Kribed PRO mit dem Paket Ihres Systems, oder erstellen Sie es aus den Quelltexten.
Um Datenbanken auf einen Handheld zu bringen, benötigen Sie die Software Palm Desktop mit ihrem
HotSync Manager und mindestens einem darin eingerichteten Handheld-Benutzer. Ohne sie bearbeitet
Kribed PRO weiterhin Datenbanken; nur der Befehl „Installieren“ bleibt deaktiviert.</translation>
    </message>
    <message>
        <source>Standard Disclaimers Apply</source>
        <translation>Es gilt der übliche Haftungsausschluss</translation>
    </message>
    <message>
        <source>Kribed PRO is free software and comes without any warranty. Keep copies of databases
that matter to you. Kribed PRO always keeps the previous version of a saved file as a
.pd_ file beside it.</source>
        <translation>Kribed PRO ist freie Software und wird ohne jede Gewährleistung bereitgestellt. Bewahren Sie Kopien
der Datenbanken auf, die Ihnen wichtig sind. Kribed PRO behält von einer gespeicherten Datei immer
die vorherige Fassung als .pd_-Datei daneben.</translation>
    </message>
    <message>
        <source>Creating a new database</source>
        <translation>Eine neue Datenbank anlegen</translation>
    </message>
    <message>
        <source>Choose File &gt; New... and give the database a name (up to 30 characters), the number
of fields (1 to 50) and records (1 to 9999), a field type and a width. Every field
starts with that type; the field type is &quot;String&quot; unless you choose another one. Set
the name, type and width of each field afterwards in the Properties dialog. The new
database is kept in memory until you save it.</source>
        <translation>Wählen Sie Datei &gt; Neu... und geben Sie der Datenbank einen Namen (bis zu 30 Zeichen), die Anzahl
der Felder (1 bis 50) und der Datensätze (1 bis 9999), einen Feldtyp und eine Breite. Jedes Feld
erhält zunächst diesen Typ; der Feldtyp ist „Text“, sofern Sie keinen anderen wählen. Legen Sie
Name, Typ und Breite der einzelnen Felder anschließend im Dialog „Eigenschaften“ fest. Die neue
Datenbank bleibt im Arbeitsspeicher, bis Sie sie speichern.</translation>
    </message>
    <message>
        <source>Opening an existing database</source>
        <translation>Eine vorhandene Datenbank öffnen</translation>
    </message>
    <message>
        <source>Choose File &gt; Open... (Ctrl+O) and pick a .pdb file. The five files opened last are
listed at the end of the File menu; choose one of them to open it again at once.
A Kribo 3 file is converted on opening and is saved under its name with &quot;_p.pdb&quot; at the
end, so the original file stays as it was. If the open database has changes that are
not saved, Kribed PRO asks before it drops them.</source>
        <translation>Wählen Sie Datei &gt; Öffnen... (Strg+O) und dann eine .pdb-Datei. Die fünf zuletzt geöffneten Dateien
stehen am Ende des Menüs „Datei“; wählen Sie eine davon, um sie sofort wieder zu öffnen.
Eine Kribo-3-Datei wird beim Öffnen umgewandelt und unter ihrem Namen mit „_p.pdb“ am Ende
gespeichert, sodass die ursprüngliche Datei unverändert bleibt. Hat die geöffnete Datenbank nicht
gespeicherte Änderungen, fragt Kribed PRO nach, bevor es sie verwirft.</translation>
    </message>
    <message>
        <source>Save a Kribo 4 / Kribo pro database</source>
        <translation>Eine Datenbank für Kribo 4 / Kribo pro speichern</translation>
    </message>
    <message>
        <source>File &gt; save (Ctrl+S) writes the database to its own file; File &gt; Save as... writes it
under a new name with the extension .pdb. The file that is replaced is kept as a backup
with the extension .pd_ (Kunden.pdb becomes Kunden.pd_), so one previous version is
always there. Nothing replaces a file until the new one is written completely.
When automatic column widths are on, Kribed PRO asks whether the file should keep the
widths from before, because automatic widths may not suit the handheld&apos;s screen.
While a database has changes that are not saved, Kribed PRO keeps a copy of it in a
recovery file of its own, never beside your file: after the first change, then at most
once a minute while you go on. If the program ends without saving (a crash, a power cut,
a killed program), the next start shows the &quot;Recovery&quot; dialog before any file opens,
even a file named on the command line. It lists each set of changes with its file, its
folder, when it was written and whether the file changed since. &quot;Recover&quot; (Return)
opens it as a changed database of its own file, so File &gt; save writes it there with the
usual backup; &quot;Save as...&quot; writes it to another file; &quot;Discard&quot; throws it away after a
question; &quot;Later&quot; keeps it for the next start. The undo history is not recovered. A
recovery file that cannot be read is shown as damaged and can only be discarded. Saving,
closing without saving and a normal exit remove the recovery file. The value Interval in
the section Recovery of the settings gives the seconds between writes; 0 switches
recovery off.</source>
        <translation>Datei &gt; Speichern (Strg+S) schreibt die Datenbank in ihre eigene Datei; Datei &gt; Speichern unter...
speichert sie unter neuem Namen mit der Endung .pdb. Die ersetzte Datei bleibt als Sicherungskopie
mit der Endung .pd_ erhalten (aus Kunden.pdb wird Kunden.pd_); so gibt es immer eine vorherige
Fassung. Eine Datei wird erst ersetzt, wenn die neue vollständig geschrieben ist.
Ist die automatische Spaltenbreite eingeschaltet, fragt Kribed PRO, ob die Datei die bisherigen
Breiten behalten soll, da automatische Breiten womöglich nicht zur Anzeige des Handhelds passen.
Solange eine Datenbank ungespeicherte Änderungen hat, hält Kribed PRO eine Kopie davon in
einer eigenen Wiederherstellungsdatei fest, nie neben Ihrer Datei: nach der ersten Änderung,
dann höchstens einmal pro Minute. Endet das Programm ohne Speichern (Absturz, Stromausfall,
abgebrochener Prozess), erscheint beim nächsten Start der Dialog „Wiederherstellung“ vor dem
Öffnen jeder Datei, auch einer in der Befehlszeile angegebenen. Er nennt zu allen Änderungen
Datei, Ordner, Schreibzeitpunkt und ob sich die Datei seitdem geändert hat. „Wiederherstellen“
(Eingabetaste) öffnet sie als geänderte Datenbank ihrer eigenen Datei, sodass Datei &gt; Speichern sie
mit der üblichen Sicherungskopie dorthin schreibt; „Speichern unter...“ schreibt sie in eine andere
Datei; „Verwerfen“ verwirft sie nach einer Rückfrage; „Später“ hebt sie für den nächsten Start auf.
Der Rückgängig-Verlauf wird nicht wiederhergestellt. Eine unlesbare Wiederherstellungsdatei wird
als beschädigt angezeigt und kann nur verworfen werden. Speichern, Schließen ohne Speichern und
ein normales Beenden löschen diese Datei. Der Wert Interval im Abschnitt Recovery der Einstellungen
gibt die Sekunden zwischen zwei Schreibvorgängen an; 0 schaltet die Wiederherstellung aus.</translation>
    </message>
    <message>
        <source>Install a Kribo 4 / Kribo pro database</source>
        <translation>Eine Datenbank für Kribo 4 / Kribo pro installieren</translation>
    </message>
    <message>
        <source>File &gt; Install (Ctrl+I) copies the database into the install folder of the handheld
user chosen on the Application page of the Properties dialog and marks that user for
installing. The next HotSync copies the database to the handheld. With &quot;Save at
Install&quot; on, the database is saved to its own file first.</source>
        <translation>Datei &gt; Installieren (Strg+I) kopiert die Datenbank in den Installationsordner des
Handheld-Benutzers, der auf der Seite „Anwendung“ des Dialogs „Eigenschaften“ gewählt ist, und
markiert diesen Benutzer zur Installation. Beim nächsten HotSync gelangt die Datenbank auf den
Handheld. Mit „Beim Installieren speichern“ wird sie zuerst in ihre eigene Datei gespeichert.</translation>
    </message>
    <message>
        <source>Importing and exporting data to and from KribEd (Converting data)</source>
        <translation>Daten in KribEd importieren und aus KribEd exportieren (Daten umwandeln)</translation>
    </message>
    <message>
        <source>Appending data</source>
        <translation>Daten anhängen</translation>
    </message>
    <message>
        <source>File &gt; Append... adds the lines of a text file in one of the import formats as new
records at the end of the open database. Every line is a record, the first one too.
The database keeps its field names, types and settings. Records that do not fit are
cut: fields beyond the database&apos;s last field and records beyond the largest number of
records are left out, after a question.</source>
        <translation>Datei &gt; Anhängen... fügt die Zeilen einer Textdatei in einem der Importformate als neue Datensätze
am Ende der geöffneten Datenbank an. Jede Zeile ist ein Datensatz, auch die erste. Die Datenbank
behält ihre Feldnamen, Feldtypen und Einstellungen. Datensätze, die nicht passen, werden gekürzt:
Felder hinter dem letzten Feld der Datenbank und Datensätze über die größte Anzahl von Datensätzen
hinaus entfallen, nach einer Rückfrage.</translation>
    </message>
    <message>
        <source>Editing the Database Information</source>
        <translation>Die Daten der Datenbank bearbeiten</translation>
    </message>
    <message>
        <source>Type into a cell to change it in the table, or double-click it (or press F2) to open
the cell editor, which offers the right control for the field&apos;s type: a check box for
Boolean fields, date and time pickers, the popup list. Changing a value sets the
record&apos;s Modification Date and Modification Time fields to now.
The Edit and Tools menus, the tool bar and the context menu of the table (right mouse
button) append, insert and delete rows and columns, cut, copy and paste rows and
cells. Drag a record number or a field name to move a record or a field. Drag the
border of a field name to change the field&apos;s width.
Edit &gt; Replace... (Ctrl+H) replaces a text in the cells: in all fields or one, in the
selected cells only, matching the case or the whole cell, or by a regular expression
whose groups the replacement takes as \1, \2. Find next searches from the current
cell as Find does and asks at the end whether to go on from the top; Replace changes
the match found, Replace all every match in one step that Undo takes back, and then
tells how many cells changed in how many records. While the filter is on only the
records it shows are changed, unless &quot;Include hidden records&quot; is checked. Changed
records get their modification date and time; a value that would grow beyond the 4000
bytes a record holds (a line break takes one) is cut there, and the count says so.
Before cells of date, time, number or Boolean fields stop reading as their type,
Replace asks, and the count says how many did.</source>
        <translation>Tippen Sie in eine Zelle, um sie in der Tabelle zu ändern, oder doppelklicken Sie darauf (oder
drücken Sie F2), um den Zelleneditor zu öffnen. Er bietet das passende Element für den Feldtyp: ein
Kontrollkästchen für boolesche Felder, Datums- und Zeitauswahl, die Auswahlliste. Eine Wertänderung
setzt die Felder „Änderungsdatum“ und „Änderungszeit“ des Datensatzes auf die aktuelle Zeit.
Die Menüs „Bearbeiten“ und „Extras“, die Symbolleiste und das Kontextmenü der Tabelle (rechte
Maustaste) hängen Zeilen und Spalten an, fügen sie ein und löschen sie; sie schneiden Zeilen und
Zellen aus, kopieren sie und fügen sie ein. Ziehen Sie eine Datensatznummer oder einen Feldnamen,
um Datensatz oder Feld zu verschieben, und den Rand eines Feldnamens, um die Feldbreite zu ändern.
Bearbeiten &gt; Ersetzen... (Strg+H) ersetzt einen Text in den Zellen: in allen Feldern oder einem,
nur in den ausgewählten Zellen, mit Beachtung der Groß-/Kleinschreibung oder der ganzen Zelle
oder per regulärem Ausdruck, dessen Gruppen die Ersetzung als \1, \2 übernimmt. „Weitersuchen“
sucht wie „Suchen“ ab der aktuellen Zelle und fragt am Ende, ob es oben weitergehen soll;
„Ersetzen“ ändert den gefundenen Treffer, „Alle ersetzen“ alle Treffer in einem Schritt, den
„Rückgängig“ zurücknimmt, und meldet, wie viele Zellen in wie vielen Datensätzen geändert wurden.
Bei eingeschaltetem Filter ändern sich nur die angezeigten Datensätze, außer wenn „Ausgeblendete
Datensätze einbeziehen“ angekreuzt ist. Geänderte Datensätze erhalten Änderungsdatum und -zeit; ein
Wert, der über die 4000 Bytes eines Datensatzes wachsen würde (ein Zeilenumbruch zählt eins),
wird dort gekürzt, was die Meldung angibt. Bevor Zellen von Datums-, Zeit-, Zahlen- oder
Boolesch-Feldern nicht mehr als ihr Typ lesbar sind, fragt „Ersetzen“ nach; die Meldung nennt ihre Zahl.</translation>
    </message>
    <message>
        <source>The Properties dialog</source>
        <translation>Der Dialog „Eigenschaften“</translation>
    </message>
    <message>
        <source>Edit &gt; Properties... (F3) shows the settings of the database and of the field of the
current column on six pages.</source>
        <translation>Bearbeiten &gt; Eigenschaften... (F3) zeigt auf sechs Seiten die Einstellungen der Datenbank und des
Feldes der aktuellen Spalte.</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>The database&apos;s name, and whether it is private, locked when Kribo ends, read-only, and
whether Kribo&apos;s own filter is on.</source>
        <translation>Der Name der Datenbank und ob sie privat ist, beim Beenden von Kribo gesperrt wird,
schreibgeschützt ist und ob der Kribo-Filter eingeschaltet ist.</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>The field&apos;s name (up to 20 characters), type and width (1 to 300), and for
auto-increment fields the amount by which each new record&apos;s number grows.</source>
        <translation>Name (bis zu 20 Zeichen), Typ und Breite (1 bis 300) des Feldes sowie bei automatisch hochzählenden
Feldern die Schrittweite, um die die Nummer jedes neuen Datensatzes wächst.</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>The entries of the field&apos;s popup list for Normal PopUp and Multiple Popup fields:
append, cut, paste and sort them. A field that gets a type other than a popup type
loses its list.</source>
        <translation>Die Einträge der Auswahlliste des Feldes für Felder vom Typ „Auswahl“ und „Mehrfachauswahl“: Sie
können sie anhängen, ausschneiden, einfügen und sortieren. Ein Feld, das einen anderen Typ als
einen Auswahltyp erhält, verliert seine Liste.</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>The text to look for, the field to look in (or all fields), whether the field must
begin with the text, and whether the filter shows (INCLUDE) or hides (EXCLUDE) the
matching records. Letters a to z match in upper and lower case. Tools &gt; Enable filter
(Ctrl+E) switches the filter on and off.</source>
        <translation>Der zu suchende Text, das zu durchsuchende Feld (oder alle Felder), ob das Feld mit dem Text
beginnen muss und ob der Filter die passenden Datensätze anzeigt („EINSCHLIESSENDER Filter“) oder
ausblendet („AUSSCHLIESSENDER Filter“). Bei den Buchstaben a bis z wird Groß- und Kleinschreibung
nicht unterschieden. Extras &gt; Filter einschalten (Strg+E) schaltet den Filter ein und aus.</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortierung</translation>
    </message>
    <message>
        <source>The secondary and tertiary sort fields and their directions. The primary sort field is
always the field of the current column. Sort with Tools &gt; Sort normal (Ctrl+N) or
Sort reverse (Ctrl+R).</source>
        <translation>Das zweite und dritte Sortierfeld und ihre Sortierrichtungen. Das erste Sortierfeld ist immer
das Feld der aktuellen Spalte. Sortieren Sie mit Extras &gt; Aufsteigend sortieren (Strg+N) oder
Absteigend sortieren (Strg+R).</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>The handheld user for Install, whether the file dialogs start in that user&apos;s backup
folder, whether Install saves first, and expert mode, which leaves out the
confirmations of deleting, cutting and pasting and the questions about automatic
widths.</source>
        <translation>Der Handheld-Benutzer für das Installieren, ob die Dateidialoge im Sicherungsordner dieses
Benutzers beginnen, ob beim Installieren zuerst gespeichert wird, und der Expertenmodus, der
die Bestätigungen beim Löschen, Ausschneiden und Einfügen und die Fragen zur automatischen
Spaltenbreite weglässt.</translation>
    </message>
    <message>
        <source>Going to a record and the filter bar</source>
        <translation>Zu einem Datensatz gehen und die Filterleiste</translation>
    </message>
    <message>
        <source>Printing the database</source>
        <translation>Die Datenbank drucken</translation>
    </message>
    <message>
        <source>File &gt; Print... prints the records that the filter shows under a line of field names,
with the database name and a page number on every page. A table wider or longer than
the paper is printed on several pages (1.1, 1.2, ... 2.1, ...). The printed columns
are as wide as on the screen, in the font of the table.</source>
        <translation>Datei &gt; Drucken... druckt die Datensätze, die der Filter anzeigt, unter einer Zeile mit den
Feldnamen, mit dem Namen der Datenbank und einer Seitenzahl auf jeder Seite. Eine Tabelle, die
breiter oder länger als das Papier ist, wird auf mehrere Seiten gedruckt (1.1, 1.2, ... 2.1, ...).
Die gedruckten Spalten sind so breit wie auf dem Bildschirm, in der Schriftart der Tabelle.</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Berechnung</translation>
    </message>
    <message>
        <source>Kribed PRO adds up numbers in columns and in rows. Cells that do not hold a number are
left out.</source>
        <translation>Kribed PRO addiert Zahlen in Spalten und in Zeilen. Zellen, die keine Zahl enthalten, werden
übergangen.</translation>
    </message>
    <message>
        <source>Column Sum</source>
        <translation>Spaltensumme</translation>
    </message>
    <message>
        <source>Tools &gt; Column Sum (Ctrl+U) adds the numbers above the current cell and writes the
total into it.</source>
        <translation>Extras &gt; Spaltensumme (Strg+U) addiert die Zahlen oberhalb der aktuellen Zelle und schreibt die
Summe hinein.</translation>
    </message>
    <message>
        <source>Row Sum</source>
        <translation>Zeilensumme</translation>
    </message>
    <message>
        <source>Tools &gt; Row Sum (Ctrl+W) adds the numbers left of the result field in each record.
Without a sum field it fills the current cell once. With a sum field it fills that
field in every record and keeps it up to date while you type into the table, until
you switch it off or use a row or column command.</source>
        <translation>Extras &gt; Zeilensumme (Strg+W) addiert in jedem Datensatz die Zahlen links vom Ergebnisfeld. Ohne
Summenfeld füllt der Befehl einmalig die aktuelle Zelle. Mit einem Summenfeld füllt er dieses Feld
in jedem Datensatz und hält es aktuell, während Sie in die Tabelle tippen, bis Sie ihn ausschalten
oder einen Zeilen- oder Spaltenbefehl verwenden.</translation>
    </message>
    <message>
        <source>Features for calculation a row sum.</source>
        <translation>Funktionen zur Berechnung einer Zeilensumme</translation>
    </message>
    <message>
        <source>Mark the field that receives the sum with &quot;&amp;&quot; at the end of its name, for example
Total&amp;. Give a field a factor with &quot;#&quot; and a number at the end of its name: the field
Price #1.5 counts one and a half times its value. Only the fields left of the sum field
count. The demo databases SumDemo1.pdb and SumDemo2.pdb show both marks: open one and
choose Tools &gt; Row Sum. SumDemo1 counts the pieces in stock from loose pieces, boxes of
12 and pallets of 480; SumDemo2 keeps a household book whose balance is the income less
the fields marked #-1. Both are installed with Kribed PRO in the folder
share/kribed/examples of its installation (/usr/share/kribed/examples when it comes
with your system, /usr/local/share/kribed/examples when built from the sources), and
they are in the folder examples of the sources.</source>
        <translation>Kennzeichnen Sie das Feld, das die Summe erhält, mit „&amp;“ am Ende seines Namens, zum Beispiel
Summe&amp;. Geben Sie einem Feld einen Faktor mit „#“ und einer Zahl am Ende seines Namens: Das Feld
Preis #1.5 zählt seinen Wert eineinhalbfach. Nur die Felder links vom Summenfeld zählen. Die
Demo-Datenbanken SumDemo1.pdb und SumDemo2.pdb zeigen beide Kennzeichen: Öffnen Sie eine davon und
wählen Sie Extras &gt; Zeilensumme. SumDemo1 zählt den Lagerbestand aus losen Stücken, Kartons zu 12
und Paletten zu 480; SumDemo2 führt ein Haushaltsbuch, dessen Saldo die Einnahmen abzüglich der mit
#-1 gekennzeichneten Felder ist. Beide werden mit Kribed PRO im Ordner
share/kribed/examples seiner Installation installiert (/usr/share/kribed/examples, wenn es mit
Ihrem System geliefert wird, /usr/local/share/kribed/examples, wenn es aus den Quelltexten erstellt
wurde), und sie liegen im Ordner examples der Quelltexte.</translation>
    </message>
    <message>
        <source>Regional formats</source>
        <translation>Regionale Formate</translation>
    </message>
    <message>
        <source>A database made in another country may write its numbers and dates in that country&apos;s
way (1520,50 and 12.03.2019 in Germany). Tools &gt; Regional formats... (Alt+T, G) chooses
how the open database&apos;s numbers, dates, times and text order are read: the desktop&apos;s
formats or those of one of the listed countries, each shown with a number, today&apos;s
date, the time and what the database&apos;s first number and date cells read as. The
choice is taken at once by the sums, sorts, hints, the selection&apos;s statistics and the
dates and times Kribed PRO writes; no value is changed, nothing is undone by Undo and
the file is not marked changed. Kribed PRO remembers the choice for each file (not in
the file). When a file without a choice reads much better in other formats, a bar
above the table says so and offers to use them or to keep the desktop&apos;s formats; the
answer is remembered too. The status bar names the formats when they are not the
desktop&apos;s. A new or imported database starts with the desktop&apos;s formats.</source>
        <translation>Eine Datenbank aus einem anderen Land schreibt Zahlen und Datumsangaben womöglich nach dessen Art
(1520,50 und 12.03.2019 in Deutschland). Extras &gt; Regionale Formate... (Alt+X, R) legt fest, wie
Zahlen, Datumsangaben, Uhrzeiten und Textsortierung der geöffneten Datenbank gelesen werden: in den
Formaten des Desktops oder eines der aufgeführten Länder, jeweils mit Beispielzahl, heutigem Datum,
Uhrzeit und der Lesart der ersten Zahlen- und Datumszellen. Die gewählten Formate gelten sofort
für Summen, Sortierungen, Hinweise, die Statistik der Auswahl und die Datums- und Zeitangaben, die
Kribed PRO schreibt; kein Wert wird geändert, „Rückgängig“ nimmt nichts zurück, und die Datei gilt
nicht als geändert. Kribed PRO merkt sich die Wahl je Datei (nicht in der Datei). Liest sich eine
Datei ohne gespeicherte Wahl in anderen Formaten viel besser, weist eine Leiste über der Tabelle
darauf hin und bietet an, diese zu verwenden oder die Formate des Desktops beizubehalten; auch die
Antwort wird gespeichert. Die Statusleiste nennt Formate, die nicht die des Desktops sind. Neue
oder importierte Datenbanken beginnen mit den Formaten des Desktops.</translation>
    </message>
    <message>
        <source>Have a good time with KribEd PRO
</source>
        <translation>Viel Spaß mit KribEd PRO
</translation>
    </message>
    <message>
        <source>File &gt; Import... makes a new database from a text file: comma separated (.CSV),
semicolon separated (.csv) or tab separated (.TXT). The first line holds the field
names, every further line one record. A text in double quotes may hold the separator.
Every field of an imported database is a &quot;String&quot; field; set the real types in the
Properties dialog afterwards. A value longer than 4000 characters, more than a record
can hold, is cut to its first 4000 characters, and Kribed PRO tells you how many were.
File &gt; Export... writes the open database to such a text file: the field names first,
then one line per record. Only the records that the filter shows are written, and the
file carries no field widths or types. A text file that is replaced is kept as a backup
(.CS_, .cs_ or .TX_).
The last type, Excel workbook (*.xlsx), writes a workbook for spreadsheet programs:
numbers, Booleans, dates and times become real cells, read in the database&apos;s regional
formats, under a frozen header row with a filter, in the fields&apos; widths. A cell that
does not read as its field&apos;s type stays text, and Kribed PRO tells you which. A
replaced workbook is kept as a .xls_ backup.</source>
        <translation>Datei &gt; Importieren... erstellt eine neue Datenbank aus einer Textdatei, getrennt durch Komma
(.CSV), Semikolon (.csv) oder Tabulator (.TXT). Die erste Zeile enthält die Feldnamen, jede weitere
Zeile einen Datensatz. Ein Text in doppelten Anführungszeichen darf das Trennzeichen enthalten.
Alle Felder einer importierten Datenbank sind vom Typ „Text“; legen Sie die tatsächlichen Typen
danach im Dialog „Eigenschaften“ fest. Ein Wert über 4000 Zeichen, mehr als ein Datensatz fassen
kann, wird auf seine ersten 4000 Zeichen gekürzt; Kribed PRO meldet, wie viele Werte das betraf.
Datei &gt; Exportieren... schreibt die geöffnete Datenbank in eine solche Textdatei: zuerst die
Feldnamen, dann eine Zeile je Datensatz. Geschrieben werden nur die Datensätze, die der Filter
anzeigt, und die Datei enthält keine Feldbreiten oder Feldtypen. Eine ersetzte Textdatei wird als
Sicherungskopie aufbewahrt (.CS_, .cs_ oder .TX_).
Der letzte Typ, „Excel-Arbeitsmappe (*.xlsx)“, schreibt eine Arbeitsmappe für
Tabellenkalkulationen: Zahlen, boolesche Werte, Datums- und Zeitangaben werden zu echten Zellen,
gelesen in den regionalen Formaten der Datenbank, unter einer fixierten Kopfzeile mit Filter, in
den Feldbreiten. Eine Zelle, die sich nicht als ihr Feldtyp lesen lässt, bleibt Text; Kribed PRO
nennt diese Zellen. Eine ersetzte Arbeitsmappe wird als .xls_-Sicherungskopie aufbewahrt.</translation>
    </message>
    <message>
        <source>SQLite databases and Excel workbooks</source>
        <translation>SQLite-Datenbanken und Excel-Arbeitsmappen</translation>
    </message>
    <message>
        <source>The type SQLite database (*.sqlite) of File &gt; Export... writes the records that the
filter shows as a table named after the database, one column per field, with the
field&apos;s type: integers and Booleans as INTEGER, floats as REAL, dates as text
YYYY-MM-DD and times as HH:MM:SS, everything else as text. So numbers sum and dates
sort in any SQLite tool. Values are read in the database&apos;s regional formats; an empty
cell becomes NULL. A cell that does not read as its field&apos;s type is kept as its text,
and Kribed PRO tells you how many and which. Three side tables, kribo_fields,
kribo_popup_items and kribo_database, keep the field types and widths, the popup lists
and the database&apos;s settings. A replaced file is kept as a .sqlit_ backup.
The type SQLite database (*.sqlite *.db) of File &gt; Import... makes a new database from
one table or view of such a file. A file with several tables and views lists them,
with the table that Kribed PRO exported chosen first. A table of its own export comes
back with its field types, widths, popup lists and settings; in any other table a
column declared INTEGER becomes an Integer field, REAL a Float field and every other
column a &quot;String&quot; field. A database holds at most 50 fields and 9999 records: for a
larger table Kribed PRO asks whether to import the first ones. A value longer than the
4000 bytes a record holds is cut there, and binary data (BLOB) becomes hexadecimal
text X&apos;...&apos; (a very long one stays empty); Kribed PRO tells you how many values were.
A slow table or view shows how far the reading got, and Cancel stops it. The open
database is replaced only when the whole table was read and every question answered
with OK.
The type Excel workbook (*.xlsx) of File &gt; Export... writes the shown records to one
sheet named after the database, with real numbers, Booleans, dates and times, the
field names as a frozen header row with a filter, and the fields&apos; widths. Workbooks
are written only; they cannot be imported.
From a shell, kribed-cli export --type sqlite (or --type xlsx) writes these files and
kribed-cli import --type sqlite --table NAME reads the table NAME; without --table it
reads the table of its own export or the file&apos;s only table. --locale chooses the
regional formats.</source>
        <translation>Der Typ „SQLite-Datenbank (*.sqlite)“ von Datei &gt; Exportieren... schreibt die Datensätze, die der Filter
anzeigt, als Tabelle mit dem Namen der Datenbank, eine Spalte je Feld, mit dem Typ des Feldes:
Ganzzahlen und boolesche Werte als INTEGER, Gleitkommazahlen als REAL, Datumsangaben als Text YYYY-MM-DD
und Uhrzeiten als HH:MM:SS, alles andere als Text. So lassen sich Zahlen in jedem SQLite-Werkzeug
summieren und Datumsangaben sortieren. Die Werte werden in den regionalen Formaten der Datenbank
gelesen; eine leere Zelle wird zu NULL. Eine Zelle, die sich nicht als ihr Feldtyp lesen lässt, bleibt
als ihr Text erhalten; Kribed PRO meldet, wie viele und welche. Drei Nebentabellen, kribo_fields,
kribo_popup_items und kribo_database, bewahren Feldtypen und Feldbreiten, die Auswahllisten und die
Einstellungen der Datenbank. Eine ersetzte Datei wird als .sqlit_-Sicherungskopie aufbewahrt.
Der Typ „SQLite-Datenbank (*.sqlite *.db)“ von Datei &gt; Importieren... erstellt eine neue Datenbank
aus einer Tabelle oder Ansicht einer solchen Datei. Enthält die Datei mehrere Tabellen und Ansichten,
werden sie zur Wahl aufgelistet; vorgewählt ist die Tabelle, die Kribed PRO exportiert hat. Eine
Tabelle aus dem eigenen Export kommt mit ihren Feldtypen, Feldbreiten, Auswahllisten und
Einstellungen zurück; in jeder anderen Tabelle wird eine als INTEGER deklarierte Spalte zu einem Feld
vom Typ Ganzzahl, REAL zu einem Feld vom Typ Gleitkommazahl und jede andere Spalte zu einem Feld vom
Typ „Text“. Eine Datenbank fasst höchstens 50 Felder und 9999 Datensätze: Bei einer größeren Tabelle
fragt Kribed PRO, ob die ersten importiert werden sollen. Ein Wert über den 4000 Bytes, die ein
Datensatz fasst, wird dort gekürzt, und Binärdaten (BLOB) werden zu hexadezimalem Text X&apos;...&apos; (sehr
lange bleiben leer); Kribed PRO meldet, wie viele Werte das betraf. Bei einer langsamen Tabelle oder
Ansicht zeigt ein Fortschritt, wie weit das Lesen ist, und „Abbrechen“ beendet es. Die geöffnete
Datenbank wird erst ersetzt, wenn die ganze Tabelle gelesen und jede Frage mit OK beantwortet wurde.
Der Typ „Excel-Arbeitsmappe (*.xlsx)“ von Datei &gt; Exportieren... schreibt die angezeigten
Datensätze in ein Tabellenblatt mit dem Namen der Datenbank: mit echten Zahlen, booleschen
Werten, Datums- und Zeitangaben, den Feldnamen als fixierter Kopfzeile mit Filter und in
den Feldbreiten. Arbeitsmappen werden nur geschrieben; importieren lassen sie sich nicht.
In einer Shell schreibt kribed-cli export --type sqlite (oder --type xlsx) diese
Dateien, und kribed-cli import --type sqlite --table NAME liest die Tabelle
NAME; ohne --table liest es die Tabelle des eigenen Exports oder die einzige
Tabelle der Datei. --locale wählt die regionalen Formate.</translation>
    </message>
    <message>
        <source>Edit &gt; Go to record... (Ctrl+G) takes a record number and makes that record the
current row; the column stays. A record the filter hides cannot be gone to.
Tools &gt; Filter bar (Ctrl+Shift+L) shows a bar above the table with the settings of
the Filter page: the field to look in, the text, &quot;Field must begin with String&quot; and
the switch, which is Tools &gt; Enable filter. They are the same settings, so a change
in the bar shows on the Filter page and the other way round. A short pause after
typing, or Return, runs the filter with the text; the bar then tells how many records
it shows (&quot;12 of 2000 records shown&quot;). Escape returns to the table. Each change made
in the bar can be undone with Edit &gt; Undo.
Tools &gt; Column filters (Ctrl+Shift+F) puts a button into each field&apos;s header; Alt+Down
opens the one of the current field. It lists the field&apos;s values with the number of
records holding each, counted over the records the other filters leave: tick the
values to keep (the search box narrows the list, Select all ticks what it shows).
Below are two conditions by the field&apos;s type, joined by and or or: for texts equals,
contains, begins with, ends with or a regular expression; for numbers, dates and
times =, &lt;, &gt;, between, or the top or bottom N, read in the regional formats (a cell
that does not read as its type never matches); for Boolean fields checked or
unchecked; for every field empty or not empty. The filters of all fields must hold,
on top of the record filter. A filtered field shows a funnel in its header and names
its filter in the header&apos;s tooltip; the status bar tells how many records are shown.
Column filters are not saved in the file: they are remembered for it and come back
when it is opened again. Each change can be undone; Tools &gt; Clear all filters removes
them all. Tools &gt; Freeze columns up to here keeps the fields left of the current cell
in place while the table scrolls right.</source>
        <translation>Bearbeiten &gt; Gehe zu Datensatz... (Strg+G) macht den Datensatz mit der eingegebenen Nummer zur
aktuellen Zeile; die Spalte bleibt. Ein vom Filter ausgeblendeter Datensatz ist nicht erreichbar.
Extras &gt; Filterleiste (Strg+Umschalt+L) zeigt über der Tabelle eine Leiste mit den Einstellungen
der Seite „Filter“: das zu durchsuchende Feld, den Text, „Feld muss mit dem Text beginnen“ und
den Schalter, der Extras &gt; Filter einschalten entspricht. Es sind dieselben Einstellungen, daher
erscheint eine Änderung in der Leiste auf der Seite „Filter“ und umgekehrt. Eine kurze Pause nach
der Eingabe oder die Eingabetaste wendet den Filter mit dem Text an; die Leiste zeigt dann, wie
viele Datensätze angezeigt werden („12 von 2000 Datensätzen angezeigt“). Esc führt zurück zur
Tabelle. Jede Änderung in der Leiste lässt sich mit Bearbeiten &gt; Rückgängig zurücknehmen.
Extras &gt; Spaltenfilter (Strg+Umschalt+F) setzt in den Kopf jedes Feldes einen Knopf; Alt+Pfeil nach
unten öffnet den des aktuellen Feldes. Er listet die Werte des Feldes mit der Zahl der Datensätze, die
sie enthalten, gezählt über die Datensätze, die die anderen Filter übrig lassen: Kreuzen Sie die Werte
an, die bleiben sollen (das Suchfeld kürzt die Liste, „Alle auswählen“ kreuzt an, was sie zeigt).
Darunter stehen zwei Bedingungen nach dem Typ des Feldes, verbunden mit „und“ oder „oder“: für Texte
ist gleich, enthält, beginnt mit, endet auf oder ein regulärer Ausdruck; für Zahlen, Datumsangaben und
Uhrzeiten =, &lt;, &gt;, zwischen oder die N größten oder kleinsten, gelesen in den regionalen
Formaten (eine Zelle, die sich nicht als ihr Typ lesen lässt, passt nie); für boolesche Felder
angekreuzt oder nicht angekreuzt; für jedes Feld leer oder nicht leer. Die Filter aller Felder müssen
zutreffen, zusätzlich zum Datensatzfilter. Ein gefiltertes Feld zeigt einen Trichter in seinem Kopf
und nennt seinen Filter im Tooltip des Kopfes; die Statusleiste zeigt, wie viele Datensätze angezeigt
werden. Spaltenfilter werden nicht in der Datei gespeichert: Sie werden für die Datei gemerkt und
kommen beim nächsten Öffnen zurück. Jede Änderung lässt sich rückgängig machen; Extras &gt; Alle
Filter zurücksetzen entfernt sie alle. Extras &gt; Spalten bis hier fixieren hält die Felder links der
aktuellen Zelle an ihrem Platz, während die Tabelle nach rechts blättert.</translation>
    </message>
    <message>
        <source>Working in the table</source>
        <translation>Arbeiten in der Tabelle</translation>
    </message>
    <message>
        <source>Boolean fields show check boxes: Space or a click on the box checks or unchecks it
(stored as 1 and 0). Numbers, dates and times stand at the right of their cells.
A cell whose text does not read as its field&apos;s type in the regional formats has a
red mark in its top left corner; its tool tip tells why, and Edit &gt; Next unreadable
value (Ctrl+Shift+U) goes to the next one. Edit &gt; Select all (Ctrl+Shift+A) selects
every cell; Ctrl+Shift+Home and Ctrl+Shift+End extend the selection to the first and
last cell, Ctrl+Up and Ctrl+Down go to the first and last record, Shift+Space selects
the record and Ctrl+Space the field. Edit &gt; Fill down (Ctrl+D) copies the top cell of
each selected field into the selected cells below it; Edit &gt; Fill series... fills
the selection with one value, or with numbers or dates from a start value by a step.
Both fill only the records the filter shows. Edit &gt; Undo history (Ctrl+Shift+H)
lists the changes; a click on one goes back to it. The print preview has &quot;Fit to
page width&quot; and &quot;Repeat the field names on every page&quot;; Print uses them too.</source>
        <translation>Boolesche Felder zeigen Kontrollkästchen: Die Leertaste oder ein Klick auf das Kästchen aktiviert oder
deaktiviert es (gespeichert als 1 und 0). Zahlen, Daten und Uhrzeiten stehen rechts in ihren Zellen.
Eine Zelle, deren Text sich in den regionalen Formaten nicht als Typ ihres Felds lesen lässt, hat eine
rote Markierung in der linken oberen Ecke; ihr Tooltip nennt den Grund, und Bearbeiten &gt; Nächster
unlesbarer Wert (Strg+Umschalt+U) geht zur nächsten. Bearbeiten &gt; Alles auswählen (Strg+Umschalt+A)
markiert alle Zellen; Strg+Umschalt+Pos1 und Strg+Umschalt+Ende erweitern die Markierung bis zur ersten
und letzten Zelle, Strg+Oben und Strg+Unten gehen zum ersten und letzten Datensatz, Umschalt+Leertaste
markiert den Datensatz und Strg+Leertaste das Feld. Bearbeiten &gt; Nach unten ausfüllen (Strg+D)
kopiert die oberste Zelle jedes markierten Felds in die markierten Zellen darunter; Bearbeiten &gt;
Reihe ausfüllen... füllt die Markierung mit einem Wert oder mit Zahlen oder Daten ab einem Startwert
mit einer Schrittweite. Beide füllen nur die Datensätze, die der Filter zeigt. Bearbeiten &gt; Verlauf
der Änderungen (Strg+Umschalt+H) listet die Änderungen auf; ein Klick auf eine geht zu ihr zurück. Die
Druckvorschau bietet „An Seitenbreite anpassen“ und „Feldnamen auf jeder Seite wiederholen“; Drucken verwendet beides ebenso.</translation>
    </message>
    <message>
        <source>The import preview</source>
        <translation>Die Importvorschau</translation>
    </message>
    <message>
        <source>After the file is chosen, Import and Append show the &quot;Import preview&quot;: the records
as they will be imported, and above them the separator, the encoding of a standard CSV
file, whether the first line holds the field names, the line to start at, the regional
formats to read numbers and dates in, and whether blanks around values are trimmed.
Each column&apos;s header shows its type, read from all of its values, and how many values
do not fit it; those cells are marked. &quot;Use detected types&quot; gives the new fields these
types (Kribed PRO remembers the choice); a column whose numbers have a leading zero,
such as the postcode 01067, stays text. The header&apos;s menu (right-click, or the menu key
in the table) sets a column&apos;s type, name and width, or skips it; for Append it chooses
the field a column fills, and &quot;New records&quot; counts what will be added. Records,
fields and values beyond what a database holds, duplicate or empty field names and a
file that is empty, binary or not in its encoding are named before OK. A value that
does not fit its field&apos;s type is imported as its text, and Kribed PRO tells you how
many were. Left untouched, the preview imports exactly as before.
From a shell, kribed-cli import --detect-types gives the fields the detected types,
--types &quot;Umsatz=Float&quot; names them, and --plan prints what would be done as JSON
without writing anything.</source>
        <translation>Nach der Wahl der Datei zeigen Importieren und Anhängen die „Importvorschau“: die Datensätze, wie sie importiert werden, und darüber das Trennzeichen, die Kodierung einer
Standard-CSV-Datei, ob die erste Zeile die Feldnamen enthält, die Zeile, in der begonnen
wird, die regionalen Formate, in denen Zahlen und Datumsangaben gelesen werden, und ob Leerzeichen um Werte entfernt werden.
Der Kopf jeder Spalte zeigt ihren Typ, gelesen aus allen ihren Werten, und wie viele Werte
nicht dazu passen; diese Zellen sind markiert. „Erkannte Typen verwenden“ gibt den neuen
Feldern diese Typen (Kribed PRO merkt sich die Wahl); eine Spalte, deren Zahlen eine
führende Null haben, etwa die Postleitzahl 01067, bleibt Text. Das Menü des Spaltenkopfs
(Rechtsklick oder die Menütaste in der Tabelle) legt Typ, Name und Breite einer Spalte
fest oder überspringt sie; beim Anhängen wählt es das Feld, das eine Spalte füllt, und
„Neue Datensätze“ zählt, was hinzukommt. Datensätze, Felder und Werte über das hinaus,
was eine Datenbank aufnimmt, doppelte oder leere Feldnamen und eine leere, binäre oder
nicht in ihrer Kodierung vorliegende Datei werden vor OK genannt. Ein Wert, der nicht zum
Typ seines Feldes passt, wird als Text importiert, und Kribed PRO nennt ihre Anzahl.
Unverändert importiert die Vorschau genau wie bisher.
In der Shell gibt kribed-cli import --detect-types den Feldern die erkannten Typen,
--types „Umsatz=Float“ legt sie fest, und --plan gibt als JSON aus, was geschähe, ohne
etwas zu schreiben.</translation>
    </message>
    <message>
        <source>Comparing versions</source>
        <translation>Fassungen vergleichen</translation>
    </message>
    <message>
        <source>File &gt; Compare with backup compares the open database with the backup (.pd_) its
last save kept; File &gt; Compare with file... with any other version. The comparison
opens below the grid: a summary (&quot;3 added, 1 removed, 12 changed in 5 fields&quot;),
the differences of fields and settings, and every record marked + (only in the open
database), - (only in the other version) or ~ (changed). Changed cells are
highlighted; their tool tip shows the other version&apos;s text. Fields are matched by
name, then by position. Records are matched by the auto-increment field, by a field
chosen in Match records by, or by whole records, so that an inserted record leaves
the others in place. Ignore stamps (on at first) leaves modification dates and times
out. F8 and Shift+F8 go to the next and previous change. Take from other version
copies the other version&apos;s cell or record back (a removed record is inserted again,
an added one removed); Take all from other version does so for the selected records,
or for all. Each is one step Undo takes back, and nothing is written before you save.
Export report... writes the differences as CSV (key, field, old, new).
From a shell, kribed-cli diff A.pdb B.pdb prints them; its exit status is 0 when the
databases are the same and 1 when they differ.</source>
        <translation>Datei &gt; Mit Sicherungskopie vergleichen vergleicht die geöffnete Datenbank mit der
Sicherungskopie (.pd_) vom letzten Speichern; Datei &gt; Mit Datei vergleichen... mit jeder
anderen Fassung. Der Vergleich öffnet sich unter dem Raster: eine Zusammenfassung („3 hinzugefügt,
1 entfernt, 12 geändert in 5 Feldern“), die Unterschiede der Felder und Einstellungen und jeder
Datensatz mit + (nur in der geöffneten Datenbank), - (nur in der anderen Fassung) oder ~ (geändert)
markiert. Geänderte Zellen sind hervorgehoben; ihr Tooltip zeigt den Text der anderen Fassung. Felder werden über den Namen, dann über die Position zugeordnet. Datensätze über das automatisch
hochzählende Feld, über ein unter „Datensätze zuordnen nach“ gewähltes Feld oder über den ganzen
Datensatz, sodass ein eingefügter Datensatz die anderen an ihrem Platz lässt. „Änderungsstempel
ignorieren“ (anfangs eingeschaltet) lässt Änderungsdatum und -zeit außer Acht. F8 und Umschalt+F8
gehen zur nächsten und vorherigen Änderung. „Aus anderer Fassung übernehmen“ kopiert die Zelle oder
den Datensatz der anderen Fassung zurück (ein entfernter Datensatz wird wieder eingefügt, ein
hinzugefügter entfernt); „Alles aus anderer Fassung übernehmen“ tut das für die gewählten Datensätze
oder für alle. Jedes ist ein Schritt, den Rückgängig zurücknimmt; geschrieben wird erst beim Speichern.
„Bericht exportieren...“ schreibt die Unterschiede als CSV (Schlüssel, Feld, alt, neu).
In einer Shell gibt kribed-cli diff A.pdb B.pdb sie aus; sein Exit-Status ist 0, wenn die
Datenbanken gleich sind, und 1, wenn sie sich unterscheiden.</translation>
    </message>
    <message>
        <source>Charts and the field profile</source>
        <translation>Diagramme und das Feldprofil</translation>
    </message>
    <message>
        <source>Tools &gt; Chart (Ctrl+Shift+G) shows a chart of the records the filter shows, in the
order of the table, beside it: lines, points, bars side by side or stacked, a
histogram of a number or date field, the count of each value of a field, or a
figure (count, sum, average, minimum, maximum) per value or per day, week, month,
quarter or year of a date field, with its table, which Copy table puts on the
clipboard as tab-separated text. Numbers, dates and times are read in the regional
formats; values that do not read are left out and counted under the chart. The
chart is drawn again after every change, undo and filter. A click or a drag over
points or bars selects their records in the table, and the records selected in the
table are marked in the chart. The choices are kept for each file. Save chart as...
writes it as PNG, SVG or PDF; Print chart... prints it on one page. The mouse wheel
zooms, a drag with the middle button or with Shift held moves the chart; with the
focus on the chart, + and - zoom, the arrow keys move it and Home shows it whole.
Tools &gt; Field profile (Ctrl+Shift+P) shows the current
field&apos;s filled and empty cells, its most frequent values with their counts, its
smallest and largest number or its earliest and latest date, and the cells that do
not read as its type; a double-click on a value filters the records by it, which
Edit &gt; Undo takes back.</source>
        <translation>Extras &gt; Diagramm (Strg+Umschalt+G) zeigt neben der Tabelle ein Diagramm der vom Filter
angezeigten Datensätze in der Reihenfolge der Tabelle: Linien, Punkte, Balken nebeneinander oder
gestapelt, ein Histogramm eines Zahlen- oder Datumsfeldes, die Anzahl jedes Wertes eines
Feldes oder eine Kennzahl (Anzahl, Summe, Mittelwert, Minimum, Maximum) je Wert oder je Tag,
Woche, Monat, Quartal oder Jahr eines Datumsfeldes, mit ihrer Tabelle, die „Tabelle kopieren“
als tabulatorgetrennten Text in die Zwischenablage legt. Zahlen, Datum und Uhrzeit werden in
den regionalen Formaten gelesen; Werte, die sich nicht lesen lassen, werden ausgelassen und
unter dem Diagramm gezählt. Das Diagramm wird nach jeder Änderung, jedem Rückgängig und jedem
Filter neu gezeichnet. Ein Klick oder ein Ziehen über Punkte oder Balken wählt deren Datensätze in der Tabelle aus, und die in der Tabelle ausgewählten Datensätze werden im
Diagramm hervorgehoben. Die Auswahl wird für jede Datei gespeichert. „Diagramm speichern
unter...“ schreibt es als PNG, SVG oder PDF; „Diagramm drucken...“ druckt es auf einer Seite.
Das Mausrad zoomt, Ziehen mit der mittleren Maustaste oder mit gedrückter Umschalttaste
verschiebt das Diagramm; hat es den Fokus, zoomen + und -, die Pfeiltasten verschieben es
und Pos1 zeigt es wieder ganz. Extras &gt; Feldprofil (Strg+Umschalt+P) zeigt die
gefüllten und leeren Zellen des aktuellen Feldes, seine häufigsten Werte mit ihrer Anzahl,
seine kleinste und größte Zahl oder sein frühestes und spätestes Datum und die Zellen, die
sich nicht als sein Typ lesen lassen; ein Doppelklick auf einen Wert filtert die Datensätze
danach, was Bearbeiten &gt; Rückgängig zurücknimmt.</translation>
    </message>
</context>
<context>
    <name>WhereCondition</name>
    <message>
        <source>--where %1: the database has no field named %2.</source>
        <translation>--where %1: Die Datenbank hat kein Feld namens %2.</translation>
    </message>
    <message>
        <source>--where %1: %2</source>
        <translation>--where %1: %2</translation>
    </message>
    <message>
        <source>--where %1: no field name followed by one of = != &lt; &lt;= &gt; &gt;= ~ ^= $= *=.</source>
        <translation>--where %1: kein Feldname, gefolgt von einem von = != &lt; &lt;= &gt; &gt;= ~ ^= $= *=.</translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Excel-Arbeitsmappe (*.xlsx)</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) did not read as their field&apos;s type and were kept as text:</source>
        <translation>
            <numerusform>%n Zelle ließ sich nicht als Typ ihres Feldes lesen und wurde als Text beibehalten:</numerusform>
            <numerusform>%n Zellen ließen sich nicht als Typ ihres Feldes lesen und wurden als Text beibehalten:</numerusform>
        </translation>
    </message>
    <message>
        <source>
%1, record %2: &quot;%3&quot;</source>
        <translation>
%1, Datensatz %2: „%3“</translation>
    </message>
    <message numerus="yes">
        <source>
and %n more.</source>
        <translation>
            <numerusform>
und %n weitere.</numerusform>
            <numerusform>
und %n weitere.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kribed::AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Kribed PRO</source>
        <translation>Kribed PRO</translation>
    </message>
    <message>
        <source>Version %1, built %2</source>
        <translation>Version %1, erstellt %2</translation>
    </message>
    <message>
        <source>For more information on Kribed PRO please visit</source>
        <translation>Weitere Informationen zu Kribed PRO finden Sie unter</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;or email %2&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;oder per E-Mail an %2&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Sorry your web browser could not be found</source>
        <translation>Ihr Webbrowser wurde leider nicht gefunden</translation>
    </message>
</context>
<context>
    <name>kribed::CellEditorDialog</name>
    <message>
        <source>Edit Cell</source>
        <translation>Zelle bearbeiten</translation>
    </message>
    <message>
        <source>Boolean</source>
        <translation>Boolesch</translation>
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
        <source> Row:  </source>
        <translation> Zeile:  </translation>
    </message>
    <message>
        <source>    Col:  </source>
        <translation>    Spalte:  </translation>
    </message>
    <message>
        <source>String</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Normal Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Creation Date</source>
        <translation>Erstellungsdatum</translation>
    </message>
    <message>
        <source>Modification Date</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Normal Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Creation Time</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Modification Time</source>
        <translation>Änderungszeit</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Multiple Popup</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Normal Integer</source>
        <translation>Ganzzahl</translation>
    </message>
    <message>
        <source>Auto-Increment Integer   Amount: </source>
        <translation>Ganzzahl, automatisch hochzählend   Schrittweite: </translation>
    </message>
    <message>
        <source>Float</source>
        <translation>Gleitkommazahl</translation>
    </message>
    <message>
        <source>Select Popup Item</source>
        <translation>Eintrag der Auswahlliste wählen</translation>
    </message>
</context>
<context>
    <name>kribed::CellRange</name>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Count: %1  Numbers: %2</source>
        <translation>Anzahl: %1  Zahlen: %2</translation>
    </message>
    <message>
        <source>  Sum: %1  Average: %2</source>
        <translation>  Summe: %1  Durchschnitt: %2</translation>
    </message>
    <message>
        <source>Count: %1</source>
        <translation>Anzahl: %1</translation>
    </message>
</context>
<context>
    <name>kribed::ChartCanvas</name>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
</context>
<context>
    <name>kribed::ChartCommands</name>
    <message>
        <source>C&amp;hart</source>
        <translation>Diagra&amp;mm</translation>
    </message>
    <message>
        <source>Shows the chart of the shown records beside the grid</source>
        <translation>Zeigt das Diagramm der angezeigten Datensätze neben der Tabelle</translation>
    </message>
    <message>
        <source>Field pr&amp;ofile</source>
        <translation>Fel&amp;dprofil</translation>
    </message>
    <message>
        <source>Shows the current field&apos;s values and figures beside the grid</source>
        <translation>Zeigt die Werte und Kennzahlen des aktuellen Feldes neben der Tabelle</translation>
    </message>
    <message>
        <source>Sa&amp;ve chart as...</source>
        <translation>Diagramm speic&amp;hern unter...</translation>
    </message>
    <message>
        <source>Writes the chart as a PNG, SVG or PDF file</source>
        <translation>Schreibt das Diagramm als PNG-, SVG- oder PDF-Datei</translation>
    </message>
    <message>
        <source>Cop&amp;y chart as image</source>
        <translation>Diagramm als Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>Puts the chart on the clipboard as a picture</source>
        <translation>Legt das Diagramm als Bild in die Zwischenablage</translation>
    </message>
    <message>
        <source>Filter by value</source>
        <translation>Nach Wert filtern</translation>
    </message>
    <message>
        <source>Save chart as</source>
        <translation>Diagramm speichern unter</translation>
    </message>
    <message>
        <source>PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf|</source>
        <translation>PNG-Bild (*.png)|*.png|SVG-Zeichnung (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf|</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Prints the chart on one page</source>
        <translation>Druckt das Diagramm auf eine Seite</translation>
    </message>
    <message>
        <source>Print chart</source>
        <translation>Diagramm drucken</translation>
    </message>
    <message>
        <source>The chart could not be printed.</source>
        <translation>Das Diagramm konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>Print c&amp;hart...</source>
        <translation>Diagramm d&amp;rucken...</translation>
    </message>
</context>
<context>
    <name>kribed::ChartPanel</name>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Bars side by side</source>
        <translation>Balken nebeneinander</translation>
    </message>
    <message>
        <source>Bars stacked</source>
        <translation>Balken gestapelt</translation>
    </message>
    <message>
        <source>Histogram</source>
        <translation>Histogramm</translation>
    </message>
    <message>
        <source>Counts per category</source>
        <translation>Anzahl je Kategorie</translation>
    </message>
    <message>
        <source>Grouped figures</source>
        <translation>Gruppierte Werte</translation>
    </message>
    <message>
        <source>Y fields</source>
        <translation>Y-Felder</translation>
    </message>
    <message>
        <source>Right axis</source>
        <translation>Rechte Achse</translation>
    </message>
    <message>
        <source>Log scale X</source>
        <translation>Logarithmisch X</translation>
    </message>
    <message>
        <source>Log scale Y</source>
        <translation>Logarithmisch Y</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Each value</source>
        <translation>Jeder Wert</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Quarter</source>
        <translation>Quartal</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Copy table</source>
        <translation>Tabelle kopieren</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>&amp;X:</source>
        <translation>&amp;X:</translation>
    </message>
    <message>
        <source>&amp;Bins:</source>
        <translation>&amp;Klassen:</translation>
    </message>
    <message>
        <source>&amp;Group by:</source>
        <translation>&amp;Gruppieren nach:</translation>
    </message>
    <message>
        <source>&amp;Period:</source>
        <translation>&amp;Zeitraum:</translation>
    </message>
    <message>
        <source>&amp;Figure:</source>
        <translation>Ke&amp;nnzahl:</translation>
    </message>
    <message>
        <source>&amp;Of:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>Record number</source>
        <translation>Datensatznummer</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
</context>
<context>
    <name>kribed::ColumnFilterCommands</name>
    <message>
        <source>Col&amp;umn filters</source>
        <translation>Spaltenfil&amp;ter</translation>
    </message>
    <message>
        <source>Filter buttons in the field headers</source>
        <translation>Filterknöpfe in den Feldköpfen</translation>
    </message>
    <message>
        <source>Clear all fi&amp;lters</source>
        <translation>Alle Filter zur&amp;ücksetzen</translation>
    </message>
    <message>
        <source>Remove every column filter</source>
        <translation>Alle Spaltenfilter entfernen</translation>
    </message>
    <message>
        <source>F&amp;reeze columns up to here</source>
        <translation>Spalten bis hier fi&amp;xieren</translation>
    </message>
    <message>
        <source>Keep the fields left of the current cell in place while scrolling right</source>
        <translation>Die Felder links der aktuellen Zelle beim Blättern nach rechts stehen lassen</translation>
    </message>
    <message>
        <source>Column filter</source>
        <translation>Spaltenfilter</translation>
    </message>
    <message>
        <source>Clear all filters</source>
        <translation>Alle Filter zurücksetzen</translation>
    </message>
    <message>
        <source>%1 of %2 records shown</source>
        <translation>%1 von %2 Datensätzen angezeigt</translation>
    </message>
</context>
<context>
    <name>kribed::ColumnFilterPopup</name>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>is not empty</source>
        <translation>ist nicht leer</translation>
    </message>
    <message>
        <source>is checked</source>
        <translation>ist angekreuzt</translation>
    </message>
    <message>
        <source>is unchecked</source>
        <translation>ist nicht angekreuzt</translation>
    </message>
    <message>
        <source>=</source>
        <translation>=</translation>
    </message>
    <message>
        <source>≠</source>
        <translation>≠</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>≤</source>
        <translation>≤</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>≥</source>
        <translation>≥</translation>
    </message>
    <message>
        <source>between</source>
        <translation>zwischen</translation>
    </message>
    <message>
        <source>top N</source>
        <translation>die N größten</translation>
    </message>
    <message>
        <source>bottom N</source>
        <translation>die N kleinsten</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>enthält</translation>
    </message>
    <message>
        <source>equals</source>
        <translation>ist gleich</translation>
    </message>
    <message>
        <source>does not equal</source>
        <translation>ist ungleich</translation>
    </message>
    <message>
        <source>does not contain</source>
        <translation>enthält nicht</translation>
    </message>
    <message>
        <source>begins with</source>
        <translation>beginnt mit</translation>
    </message>
    <message>
        <source>ends with</source>
        <translation>endet auf</translation>
    </message>
    <message>
        <source>matches the regular expression</source>
        <translation>passt zum regulären Ausdruck</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>C&amp;lear filter</source>
        <translation>Filter auf&amp;heben</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>or</source>
        <translation>oder</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) of this field do not read as its type and match no condition on it.</source>
        <translation>
            <numerusform>%n Wert dieses Feldes lässt sich nicht als sein Typ lesen und erfüllt keine Bedingung darauf.</numerusform>
            <numerusform>%n Werte dieses Feldes lassen sich nicht als sein Typ lesen und erfüllen keine Bedingung darauf.</numerusform>
        </translation>
    </message>
    <message>
        <source>(no condition)</source>
        <translation>(keine Bedingung)</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Angekreuzt</translation>
    </message>
    <message>
        <source>Unchecked</source>
        <translation>Nicht angekreuzt</translation>
    </message>
</context>
<context>
    <name>kribed::CompareCommands</name>
    <message>
        <source>Compare with &amp;backup</source>
        <translation>Mit Sicherungs&amp;kopie vergleichen</translation>
    </message>
    <message>
        <source>Compare the database with the backup its last save kept</source>
        <translation>Die Datenbank mit der Sicherungskopie vom letzten Speichern vergleichen</translation>
    </message>
    <message>
        <source>Compare with &amp;file...</source>
        <translation>Mit Da&amp;tei vergleichen...</translation>
    </message>
    <message>
        <source>Compare the database with another file</source>
        <translation>Die Datenbank mit einer anderen Datei vergleichen</translation>
    </message>
    <message>
        <source>Co&amp;mparison</source>
        <translation>&amp;Vergleich</translation>
    </message>
    <message>
        <source>Ne&amp;xt change</source>
        <translation>Nächste &amp;Änderung</translation>
    </message>
    <message>
        <source>Go to the next difference of the comparison</source>
        <translation>Zum nächsten Unterschied des Vergleichs gehen</translation>
    </message>
    <message>
        <source>Pre&amp;vious change</source>
        <translation>Vor&amp;herige Änderung</translation>
    </message>
    <message>
        <source>Go to the previous difference of the comparison</source>
        <translation>Zum vorherigen Unterschied des Vergleichs gehen</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>Kribo database (*.pdb)|*.pdb|Backup (*.pd_)|*.pd_|All Files (*.*)|*.*</source>
        <translation>Kribo-Datenbank (*.pdb)|*.pdb|Sicherungskopie (*.pd_)|*.pd_|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Whole record</source>
        <translation>Ganzer Datensatz</translation>
    </message>
    <message>
        <source> (no such field in both versions: matched by content)</source>
        <translation> (dieses Feld fehlt in einer Fassung: nach Inhalt zugeordnet)</translation>
    </message>
    <message>
        <source>Compared with %1: %2</source>
        <translation>Verglichen mit %1: %2</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;: %3 → %4</source>
        <translation>%1 „%2“: %3 → %4</translation>
    </message>
    <message>
        <source>Setting %1: %2 → %3</source>
        <translation>Einstellung %1: %2 → %3</translation>
    </message>
    <message>
        <source>Take from other version</source>
        <translation>Aus anderer Fassung übernehmen</translation>
    </message>
    <message>
        <source>Export comparison</source>
        <translation>Vergleich exportieren</translation>
    </message>
    <message>
        <source>CSV report (*.csv)|*.csv|All Files (*.*)|*.*</source>
        <translation>CSV-Bericht (*.csv)|*.csv|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Der Bericht konnte nicht nach %1 geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>kribed::ComparePanel</name>
    <message>
        <source>Ignore stamps</source>
        <translation>Änderungsstempel ignorieren</translation>
    </message>
    <message>
        <source>Take from other version</source>
        <translation>Aus anderer Fassung übernehmen</translation>
    </message>
    <message>
        <source>Take all from other version</source>
        <translation>Alles aus anderer Fassung übernehmen</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Bericht exportieren...</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Vergleich</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Changes only</source>
        <translation>Nur Änderungen</translation>
    </message>
    <message>
        <source>Modification dates and times do not count as changes</source>
        <translation>Änderungsdatum und -zeit zählen nicht als Änderung</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Anzeigen:</translation>
    </message>
    <message>
        <source>Match records by:</source>
        <translation>Datensätze zuordnen nach:</translation>
    </message>
</context>
<context>
    <name>kribed::ComparisonModel</name>
    <message>
        <source>Other version: %1</source>
        <translation>Andere Fassung: %1</translation>
    </message>
</context>
<context>
    <name>kribed::DatabaseDocument</name>
    <message>
        <source>Edit in place</source>
        <translation>Direkt bearbeiten</translation>
    </message>
    <message>
        <source>Column width</source>
        <translation>Spaltenbreite</translation>
    </message>
</context>
<context>
    <name>kribed::EditCommands</name>
    <message>
        <source>&amp;Edit cell...</source>
        <translation>Zelle &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Edit cell</source>
        <translation>Zelle bearbeiten</translation>
    </message>
    <message>
        <source>Cut cell</source>
        <translation>Zelle ausschneiden</translation>
    </message>
    <message>
        <source> Cut cell</source>
        <translation> Zelle ausschneiden</translation>
    </message>
    <message>
        <source>Copy cell</source>
        <translation>Zelle kopieren</translation>
    </message>
    <message>
        <source>Paste cell</source>
        <translation>Kopierte Zelle einfügen</translation>
    </message>
    <message>
        <source>Cut row</source>
        <translation>Zeile ausschneiden</translation>
    </message>
    <message>
        <source>Copy row</source>
        <translation>Zeile kopieren</translation>
    </message>
    <message>
        <source>Paste row</source>
        <translation>Kopierte Zeile einfügen</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schriftart...</translation>
    </message>
    <message>
        <source>Font setting</source>
        <translation>Schriftart einstellen</translation>
    </message>
    <message>
        <source>&amp;Edit cell</source>
        <translation>Zelle &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Cu&amp;t cell</source>
        <translation>Zelle &amp;ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy cell</source>
        <translation>Zelle &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste cell</source>
        <translation>Kopierte &amp;Zelle einfügen</translation>
    </message>
    <message>
        <source>C&amp;ut row</source>
        <translation>Zeile a&amp;usschneiden</translation>
    </message>
    <message>
        <source>Cop&amp;y row</source>
        <translation>Zeile k&amp;opieren</translation>
    </message>
    <message>
        <source>Pa&amp;ste row</source>
        <translation>Kopierte Zeile ein&amp;fügen</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
</context>
<context>
    <name>kribed::ExchangeCommands</name>
    <message>
        <source>I&amp;mport...</source>
        <translation>I&amp;mportieren...</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Appen&amp;d...</source>
        <translation>&amp;Anhängen...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The SQLite database holds no table.</source>
        <translation>Die SQLite-Datenbank enthält keine Tabelle.</translation>
    </message>
    <message>
        <source>Table or view:</source>
        <translation>Tabelle oder Ansicht:</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>Anhängen</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;...</source>
        <translation>„%1“ wird gelesen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>kribed::FileCommands</name>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>S&amp;ave</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>&amp;Install</source>
        <translation>&amp;Installieren</translation>
    </message>
    <message>
        <source>Install database for hotsync</source>
        <translation>Datenbank für HotSync installieren</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print preview...</source>
        <translation>Druckvorschau...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Open Kribo database</source>
        <translation>Kribo-Datenbank öffnen</translation>
    </message>
    <message>
        <source>Kribo database (*.pdb)|*.pdb|All Files (*.*)|*.*</source>
        <translation>Kribo-Datenbank (*.pdb)|*.pdb|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>for the handheld display</source>
        <translation>für die Anzeige des Handhelds</translation>
    </message>
    <message>
        <source>for your handheld display</source>
        <translation>für die Anzeige Ihres Handhelds</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>The column width is changed by auto-width and could be unsuitable %1.<byte value="xd"/>Do you prefer to save the file with the prevouis width settings?</source>
        <translation>Die Spaltenbreite wurde durch die automatische Spaltenbreite geändert und ist %1 möglicherweise ungeeignet.<byte value="xd"/>Möchten Sie die Datei lieber mit den vorherigen Spaltenbreiten speichern?</translation>
    </message>
    <message>
        <source>Save Kribo database</source>
        <translation>Kribo-Datenbank speichern</translation>
    </message>
    <message>
        <source>Kribo database (*.pdb)|*.pdb</source>
        <translation>Kribo-Datenbank (*.pdb)|*.pdb</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>%1 was changed on disk after the recovered changes were made. Save replaces it with the recovered database (the file as it is now is kept as its backup). Replace it?</source>
        <translation>%1 wurde auf dem Datenträger geändert, nachdem die wiederhergestellten Änderungen vorgenommen wurden. Speichern ersetzt die Datei durch die wiederhergestellte Datenbank (die Datei in ihrem jetzigen Stand bleibt als Sicherungskopie erhalten). Möchten Sie sie ersetzen?</translation>
    </message>
</context>
<context>
    <name>kribed::FillSeriesDialog</name>
    <message>
        <source>The same &amp;value in every cell</source>
        <translation>Derselbe &amp;Wert in jeder Zelle</translation>
    </message>
    <message>
        <source>A &amp;series of numbers or dates</source>
        <translation>Eine &amp;Reihe von Zahlen oder Daten</translation>
    </message>
    <message>
        <source>Fill series</source>
        <translation>Reihe ausfüllen</translation>
    </message>
    <message>
        <source>S&amp;tep (days for dates):</source>
        <translation>&amp;Schrittweite (Tage bei Daten):</translation>
    </message>
    <message>
        <source>Numbers as %1, dates as %2.</source>
        <translation>Zahlen wie %1, Daten wie %2.</translation>
    </message>
    <message>
        <source>St&amp;art value:</source>
        <translation>S&amp;tartwert:</translation>
    </message>
    <message>
        <source>V&amp;alue:</source>
        <translation>W&amp;ert:</translation>
    </message>
</context>
<context>
    <name>kribed::FilterBar</name>
    <message>
        <source>Field must begin with String</source>
        <translation>Feld muss mit dem Text beginnen</translation>
    </message>
    <message>
        <source>Filter enabled</source>
        <translation>Filter eingeschaltet</translation>
    </message>
    <message>
        <source>Field to search</source>
        <translation>Zu durchsuchendes Feld</translation>
    </message>
    <message>
        <source>Filter what string</source>
        <translation>Zu filternder Text</translation>
    </message>
    <message>
        <source>All Fields</source>
        <translation>Alle Felder</translation>
    </message>
    <message>
        <source>%1 of %2 records shown</source>
        <translation>%1 von %2 Datensätzen angezeigt</translation>
    </message>
</context>
<context>
    <name>kribed::FindDialog</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Field must begin with String</source>
        <translation>Feld muss mit dem Text beginnen</translation>
    </message>
    <message>
        <source>Find from the start</source>
        <translation>Vom Anfang an suchen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Find  String</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>in Field</source>
        <translation>in Feld</translation>
    </message>
    <message>
        <source>All Fields</source>
        <translation>Alle Felder</translation>
    </message>
</context>
<context>
    <name>kribed::FontScriptDialog</name>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>&amp;Script:</source>
        <translation>Sc&amp;hriftsystem:</translation>
    </message>
    <message>
        <source>Si&amp;ze:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Sample:</source>
        <translation>Beispiel:</translation>
    </message>
</context>
<context>
    <name>kribed::FormatsSuggestionBar</name>
    <message>
        <source>&amp;Keep the desktop&apos;s formats</source>
        <translation>&amp;Formate des Desktops beibehalten</translation>
    </message>
    <message>
        <source>The numbers and dates of this database read better in %1 formats: %2 of %3 sampled cells read there, %4 in the desktop&apos;s formats (%5).</source>
        <translation>Die Zahlen und Datumsangaben dieser Datenbank lassen sich in den Formaten für %1 besser lesen: %2 von %3 geprüften Zellen sind dort lesbar, %4 in den Formaten des Desktops (%5).</translation>
    </message>
    <message>
        <source>For example %1.</source>
        <translation>Zum Beispiel %1.</translation>
    </message>
    <message>
        <source>&amp;Use %1 formats</source>
        <translation>Formate für %1 &amp;verwenden</translation>
    </message>
</context>
<context>
    <name>kribed::GoToRecordDialog</name>
    <message>
        <source>Go to record</source>
        <translation>Gehe zu Datensatz</translation>
    </message>
    <message>
        <source>&amp;Record number</source>
        <translation>&amp;Datensatznummer</translation>
    </message>
    <message>
        <source>1 to %1</source>
        <translation>1 bis %1</translation>
    </message>
    <message>
        <source>Please use a record number from 1 to %1.</source>
        <translation>Bitte geben Sie eine Datensatznummer von 1 bis %1 ein.</translation>
    </message>
    <message>
        <source>Record %1 is hidden by the record filter.</source>
        <translation>Datensatz %1 ist durch den Datensatzfilter ausgeblendet.</translation>
    </message>
</context>
<context>
    <name>kribed::GridCommands</name>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Fill &amp;down</source>
        <translation>Nach &amp;unten ausfüllen</translation>
    </message>
    <message>
        <source>Copies the top cell into the selected cells below</source>
        <translation>Kopiert die oberste Zelle in die markierten Zellen darunter</translation>
    </message>
    <message>
        <source>Fill &amp;series...</source>
        <translation>&amp;Reihe ausfüllen...</translation>
    </message>
    <message>
        <source>&amp;Next unreadable value</source>
        <translation>&amp;Nächster unlesbarer Wert</translation>
    </message>
    <message>
        <source>Undo &amp;history</source>
        <translation>&amp;Verlauf der Änderungen</translation>
    </message>
    <message>
        <source>Undo history</source>
        <translation>Verlauf der Änderungen</translation>
    </message>
    <message>
        <source>&lt;as opened&gt;</source>
        <translation>&lt;wie geöffnet&gt;</translation>
    </message>
    <message>
        <source>Fill down</source>
        <translation>Nach unten ausfüllen</translation>
    </message>
    <message>
        <source>Fill series</source>
        <translation>Reihe ausfüllen</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Fill anyway?</source>
        <translation>
            <numerusform>%n Zelle lässt sich danach nicht mehr als Typ ihres Felds lesen (Datum, Uhrzeit, Zahl oder Boolesch).<byte value="xd"/>Trotzdem ausfüllen?</numerusform>
            <numerusform>%n Zellen lassen sich danach nicht mehr als Typ ihres Felds lesen (Datum, Uhrzeit, Zahl oder Boolesch).<byte value="xd"/>Trotzdem ausfüllen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Next unreadable value</source>
        <translation>Nächster unlesbarer Wert</translation>
    </message>
    <message>
        <source>Every shown value reads as its field&apos;s type.</source>
        <translation>Jeder angezeigte Wert lässt sich als Typ seines Felds lesen.</translation>
    </message>
</context>
<context>
    <name>kribed::GridHeader</name>
    <message>
        <source>Filter: %1</source>
        <translation>Filter: %1</translation>
    </message>
</context>
<context>
    <name>kribed::GridModel</name>
    <message>
        <source>Record %1</source>
        <translation>Datensatz %1</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>%1: empty</source>
        <translation>%1: leer</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>checked</source>
        <translation>aktiviert</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht aktiviert</translation>
    </message>
    <message>
        <source>Not a Boolean value: a Boolean field holds 1 (checked) or 0 (not checked).</source>
        <translation>Kein boolescher Wert: Ein boolesches Feld enthält 1 (aktiviert) oder 0 (nicht aktiviert).</translation>
    </message>
    <message>
        <source>Does not read as a date in the regional formats of this database (%1).</source>
        <translation>Lässt sich in den regionalen Formaten dieser Datenbank nicht als Datum lesen (%1).</translation>
    </message>
    <message>
        <source>Does not read as a time in the regional formats of this database (%1).</source>
        <translation>Lässt sich in den regionalen Formaten dieser Datenbank nicht als Uhrzeit lesen (%1).</translation>
    </message>
    <message>
        <source>Does not read as a number in the regional formats of this database (decimal separator %1).</source>
        <translation>Lässt sich in den regionalen Formaten dieser Datenbank nicht als Zahl lesen (Dezimaltrennzeichen %1).</translation>
    </message>
</context>
<context>
    <name>kribed::HelpCommands</name>
    <message>
        <source>&amp;Read me...</source>
        <translation>&amp;Liesmich...</translation>
    </message>
    <message>
        <source>Read me!</source>
        <translation>Liesmich!</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Info...</translation>
    </message>
</context>
<context>
    <name>kribed::ImportPreviewDialog</name>
    <message>
        <source>Import preview</source>
        <translation>Importvorschau</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>| (vertical bar)</source>
        <translation>| (senkrechter Strich)</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Anderes</translation>
    </message>
    <message>
        <source>&amp;Separator:</source>
        <translation>Tr&amp;ennzeichen:</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>Code page %1</source>
        <translation>Codepage %1</translation>
    </message>
    <message>
        <source>&amp;Encoding:</source>
        <translation>&amp;Kodierung:</translation>
    </message>
    <message>
        <source>First line holds the field &amp;names</source>
        <translation>Erste Zeile enthält die Feld&amp;namen</translation>
    </message>
    <message>
        <source>Start at &amp;line:</source>
        <translation>Beginnen in &amp;Zeile:</translation>
    </message>
    <message>
        <source>As the open database (%1)</source>
        <translation>Wie die geöffnete Datenbank (%1)</translation>
    </message>
    <message>
        <source>&amp;Regional formats:</source>
        <translation>&amp;Regionale Formate:</translation>
    </message>
    <message>
        <source>&amp;Trim blanks around values</source>
        <translation>&amp;Leerzeichen um Werte entfernen</translation>
    </message>
    <message>
        <source>&amp;Use detected types</source>
        <translation>Erkannte Typen &amp;verwenden</translation>
    </message>
    <message>
        <source>Records as they will be imported</source>
        <translation>Datensätze, wie sie importiert werden</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keins)</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message numerus="yes">
        <source> — %n do(es) not fit</source>
        <translation>
            <numerusform> — %n passt nicht</numerusform>
            <numerusform> — %n passen nicht</numerusform>
        </translation>
    </message>
    <message>
        <source>Stays a String: &quot;%1&quot; has a leading zero a number would lose.</source>
        <translation>Bleibt Text: „%1“ hat eine führende Null, die eine Zahl verlieren würde.</translation>
    </message>
    <message>
        <source>Stays a String: &quot;%1&quot; has more digits than a number keeps exactly.</source>
        <translation>Bleibt Text: „%1“ hat mehr Ziffern, als eine Zahl genau hält.</translation>
    </message>
    <message>
        <source>New records: %1</source>
        <translation>Neue Datensätze: %1</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>&amp;Name...</source>
        <translation>&amp;Name...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Field name:</source>
        <translation>Feldname:</translation>
    </message>
    <message>
        <source>&amp;Width...</source>
        <translation>&amp;Breite...</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Width (1 - 300):</source>
        <translation>Breite (1 - 300):</translation>
    </message>
    <message>
        <source>&amp;Field</source>
        <translation>&amp;Feld</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>Übersprin&amp;gen</translation>
    </message>
    <message>
        <source>The desktop&apos;s (%1)</source>
        <translation>Die des Desktops (%1)</translation>
    </message>
    <message>
        <source>%1 (suggested)</source>
        <translation>%1 (empfohlen)</translation>
    </message>
    <message>
        <source>Double quote (&quot;)</source>
        <translation>Doppeltes Anführungszeichen (&quot;)</translation>
    </message>
    <message>
        <source>Single quote (&apos;)</source>
        <translation>Einfaches Anführungszeichen (&apos;)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>&amp;Quote:</source>
        <translation>&amp;Anführungszeichen:</translation>
    </message>
    <message>
        <source>Read as UTF-8, as chosen; by its bytes the file is in the code page.</source>
        <translation>Als UTF-8 gelesen, wie gewählt; nach ihren Bytes ist die Datei in der Codepage.</translation>
    </message>
    <message>
        <source>Read in the code page, as chosen; by its bytes the file is UTF-8.</source>
        <translation>In der Codepage gelesen, wie gewählt; nach ihren Bytes ist die Datei UTF-8.</translation>
    </message>
    <message>
        <source>Read as UTF-8: the file starts with a byte order mark.</source>
        <translation>Als UTF-8 gelesen: Die Datei beginnt mit einer Byte-Reihenfolge-Markierung (BOM).</translation>
    </message>
    <message>
        <source>Read as UTF-8: its bytes are valid UTF-8.</source>
        <translation>Als UTF-8 gelesen: Ihre Bytes sind gültiges UTF-8.</translation>
    </message>
    <message>
        <source>Read in the code page: the file holds only ASCII characters.</source>
        <translation>In der Codepage gelesen: Die Datei enthält nur ASCII-Zeichen.</translation>
    </message>
    <message>
        <source>Read in the code page: its bytes are not valid UTF-8.</source>
        <translation>In der Codepage gelesen: Ihre Bytes sind kein gültiges UTF-8.</translation>
    </message>
</context>
<context>
    <name>kribed::ImportPreviewModel</name>
    <message>
        <source>Longer than 4000 bytes: cut</source>
        <translation>Länger als 4000 Bytes: gekürzt</translation>
    </message>
    <message>
        <source>Does not fit the type: imported as its text</source>
        <translation>Passt nicht zum Typ: als Text importiert</translation>
    </message>
</context>
<context>
    <name>kribed::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Move row</source>
        <translation>Zeile verschieben</translation>
    </message>
    <message>
        <source>Move column</source>
        <translation>Spalte verschieben</translation>
    </message>
    <message>
        <source>The undo memory is full: the oldest changes can no longer be undone.</source>
        <translation>Der Speicher für „Rückgängig“ ist voll: Die ältesten Änderungen lassen sich nicht mehr rückgängig machen.</translation>
    </message>
</context>
<context>
    <name>kribed::NavigationCommands</name>
    <message>
        <source>&amp;Go to record...</source>
        <translation>&amp;Gehe zu Datensatz...</translation>
    </message>
    <message>
        <source>Go to record</source>
        <translation>Gehe zu Datensatz</translation>
    </message>
    <message>
        <source>Filter &amp;bar</source>
        <translation>Filterl&amp;eiste</translation>
    </message>
    <message>
        <source>Filter bar</source>
        <translation>Filterleiste</translation>
    </message>
</context>
<context>
    <name>kribed::NewDatabaseDialog</name>
    <message>
        <source>New Database</source>
        <translation>Neue Datenbank</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
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
        <source> Database setup </source>
        <translation> Datenbank einrichten </translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source> Field setup </source>
        <translation> Felder einrichten </translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
</context>
<context>
    <name>kribed::PrintPreview</name>
    <message>
        <source>Fit to page width</source>
        <translation>An Seitenbreite anpassen</translation>
    </message>
    <message>
        <source>Repeat the field names on every page</source>
        <translation>Feldnamen auf jeder Seite wiederholen</translation>
    </message>
</context>
<context>
    <name>kribed::ProfilePanel</name>
    <message>
        <source>Checked: %1, unchecked: %2</source>
        <translation>Angekreuzt: %1, nicht angekreuzt: %2</translation>
    </message>
    <message>
        <source>Minimum: %1, maximum: %2</source>
        <translation>Minimum: %1, Maximum: %2</translation>
    </message>
    <message>
        <source>Total: %1, average: %2</source>
        <translation>Summe: %1, Mittelwert: %2</translation>
    </message>
    <message>
        <source>Earliest: %1, latest: %2</source>
        <translation>Frühester: %1, spätester: %2</translation>
    </message>
    <message>
        <source>Field profile</source>
        <translation>Feldprofil</translation>
    </message>
    <message>
        <source>Search values</source>
        <translation>Werte suchen</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Double-click a value to filter the records by it.</source>
        <translation>Doppelklicken Sie auf einen Wert, um die Datensätze danach zu filtern.</translation>
    </message>
    <message>
        <source>Filled: %1, empty: %2, distinct values: %3</source>
        <translation>Gefüllt: %1, leer: %2, verschiedene Werte: %3</translation>
    </message>
    <message>
        <source>Not of the field&apos;s type: %1 (%2)</source>
        <translation>Nicht vom Typ des Feldes: %1 (%2)</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
</context>
<context>
    <name>kribed::PropertiesCommands</name>
    <message>
        <source>Pr&amp;operties...</source>
        <translation>E&amp;igenschaften...</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Pr&amp;operties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
</context>
<context>
    <name>kribed::PropertiesDialog</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortierung</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
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
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Private database</source>
        <translation>Private Datenbank</translation>
    </message>
    <message>
        <source>Auto-Lock on Kribo exit</source>
        <translation>Automatisch sperren beim Beenden von Kribo</translation>
    </message>
    <message>
        <source>Make this database read-only</source>
        <translation>Diese Datenbank schreibschützen</translation>
    </message>
    <message>
        <source>Enable Kribo filter</source>
        <translation>Kribo-Filter einschalten</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Increment amount</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>New Entry</source>
        <translation>Neuer Eintrag</translation>
    </message>
    <message>
        <source>Popup List</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>&amp;Append</source>
        <translation>An&amp;hängen</translation>
    </message>
    <message>
        <source>C&amp;ut</source>
        <translation>A&amp;usschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <translation>&amp;Sortieren</translation>
    </message>
    <message>
        <source>Select Field</source>
        <translation>Feld wählen</translation>
    </message>
    <message>
        <source>Field to search</source>
        <translation>Zu durchsuchendes Feld</translation>
    </message>
    <message>
        <source>Filter what string</source>
        <translation>Zu filternder Text</translation>
    </message>
    <message>
        <source>Field must begin with string</source>
        <translation>Feld muss mit dem Text beginnen</translation>
    </message>
    <message>
        <source>INCLUDE Filter</source>
        <translation>EINSCHLIESSENDER Filter</translation>
    </message>
    <message>
        <source>EXCLUDE Filter</source>
        <translation>AUSSCHLIESSENDER Filter</translation>
    </message>
    <message>
        <source>Filter enabled</source>
        <translation>Filter eingeschaltet</translation>
    </message>
    <message>
        <source>Primary sort field</source>
        <translation>Erstes Sortierfeld</translation>
    </message>
    <message>
        <source>Reverse to</source>
        <translation>Umgekehrt zum</translation>
    </message>
    <message>
        <source>primary sort</source>
        <translation>ersten Sortierfeld</translation>
    </message>
    <message>
        <source>Secondary </source>
        <translation>Zweites </translation>
    </message>
    <message>
        <source>Tertiary </source>
        <translation>Drittes </translation>
    </message>
    <message>
        <source>Secondary: reverse to primary sort</source>
        <translation>Zweites: umgekehrt zum ersten Sortierfeld</translation>
    </message>
    <message>
        <source>Tertiary: reverse to primary sort</source>
        <translation>Drittes: umgekehrt zum ersten Sortierfeld</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Initial directory is Handheld&apos;s backup directory.</source>
        <translation>Startordner ist der Sicherungsordner des Handhelds.</translation>
    </message>
    <message>
        <source>Save at Install</source>
        <translation>Beim Installieren speichern</translation>
    </message>
    <message>
        <source>Expert mode (no delete and auto-save confirmation)</source>
        <translation>Expertenmodus (keine Bestätigung beim Löschen und automatischen Speichern)</translation>
    </message>
    <message>
        <source>All Fields</source>
        <translation>Alle Felder</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>kribed::RangeCommands</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Clear cells</source>
        <translation>Zellen leeren</translation>
    </message>
</context>
<context>
    <name>kribed::ReadmeWindow</name>
    <message>
        <source>Read Me</source>
        <translation>Liesmich</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>kribed::RecoveryDialog</name>
    <message>
        <source>Damaged: %1 It can only be discarded.</source>
        <translation>Beschädigt: %1 Sie können die Änderungen nur verwerfen.</translation>
    </message>
    <message>
        <source>Never saved</source>
        <translation>Nie gespeichert</translation>
    </message>
    <message>
        <source>Unchanged since</source>
        <translation>Unverändert seit</translation>
    </message>
    <message>
        <source>Changed since</source>
        <translation>Geändert seit</translation>
    </message>
    <message>
        <source>No longer there</source>
        <translation>Nicht mehr vorhanden</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>Kribed PRO ended before these changes were saved. Recover opens the selected database with its changes, as a changed database of its own file; Save as... writes it to a file you choose; Discard throws the changes away; Later keeps them for the next start.

The undo history is not recovered: a recovered database starts a new one.</source>
        <translation>Kribed PRO wurde beendet, bevor diese Änderungen gespeichert waren. „Wiederherstellen“ öffnet die ausgewählte Datenbank mit ihren Änderungen als geänderte Datenbank ihrer eigenen Datei; „Speichern unter...“ schreibt sie in eine Datei Ihrer Wahl; „Verwerfen“ wirft die Änderungen weg; „Später“ bewahrt sie für den nächsten Start auf.

Der Rückgängig-Verlauf wird nicht wiederhergestellt: Eine wiederhergestellte Datenbank beginnt einen neuen.</translation>
    </message>
    <message>
        <source>Changes left behind</source>
        <translation>Zurückgebliebene Änderungen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File on disk</source>
        <translation>Datei auf dem Datenträger</translation>
    </message>
    <message>
        <source>(no file)</source>
        <translation>(keine Datei)</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>Datensätze: %1</translation>
    </message>
    <message>
        <source>Records changed: %1</source>
        <translation>Geänderte Datensätze: %1</translation>
    </message>
    <message>
        <source>Last change</source>
        <translation>Letzte Änderung</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
</context>
<context>
    <name>kribed::RecoveryOffer</name>
    <message>
        <source>It does not read as a database.</source>
        <translation>Sie lässt sich nicht als Datenbank lesen.</translation>
    </message>
    <message>
        <source>Save Kribo database</source>
        <translation>Kribo-Datenbank speichern</translation>
    </message>
    <message>
        <source>Kribo database (*.pdb)|*.pdb</source>
        <translation>Kribo-Datenbank (*.pdb)|*.pdb</translation>
    </message>
    <message>
        <source>a database without a file</source>
        <translation>eine Datenbank ohne Datei</translation>
    </message>
    <message>
        <source>a database that cannot be read</source>
        <translation>eine Datenbank, die sich nicht lesen lässt</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>Discard the unsaved changes to %1? They cannot be brought back.</source>
        <translation>Die nicht gespeicherten Änderungen an %1 verwerfen? Sie lassen sich nicht zurückholen.</translation>
    </message>
    <message>
        <source>The recovery data could not be removed: %1</source>
        <translation>Die Wiederherstellungsdaten konnten nicht entfernt werden: %1</translation>
    </message>
</context>
<context>
    <name>kribed::RecoveryWriter</name>
    <message>
        <source>The unsaved changes could not be kept for recovery (%1); trying again later.</source>
        <translation>Die nicht gespeicherten Änderungen konnten nicht für die Wiederherstellung aufbewahrt werden (%1); später wird es erneut versucht.</translation>
    </message>
    <message>
        <source>the journal cannot be written</source>
        <translation>das Änderungsprotokoll kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>kribed::RegionalCommands</name>
    <message>
        <source>Re&amp;gional formats...</source>
        <translation>&amp;Regionale Formate...</translation>
    </message>
    <message>
        <source>Regional formats</source>
        <translation>Regionale Formate</translation>
    </message>
    <message>
        <source>Regional formats: %1</source>
        <translation>Regionale Formate: %1</translation>
    </message>
</context>
<context>
    <name>kribed::RegionalFormatsDialog</name>
    <message>
        <source>not a number</source>
        <translation>keine Zahl</translation>
    </message>
    <message>
        <source>not a date</source>
        <translation>kein Datum</translation>
    </message>
    <message>
        <source>Regional formats</source>
        <translation>Regionale Formate</translation>
    </message>
    <message>
        <source>&amp;Read the numbers, dates and times of this database as:</source>
        <translation>Zahlen, Datumsangaben und Uhrzeiten dieser Datenbank &amp;lesen als:</translation>
    </message>
    <message>
        <source>Read the numbers, dates and times of this database as</source>
        <translation>Zahlen, Datumsangaben und Uhrzeiten dieser Datenbank lesen als</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Zahl</translation>
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
        <source>The desktop&apos;s formats (%1)</source>
        <translation>Die Formate des Desktops (%1)</translation>
    </message>
</context>
<context>
    <name>kribed::ReplaceCommands</name>
    <message>
        <source>&amp;Replace...</source>
        <translation>&amp;Ersetzen...</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>The end of the records was reached. Go on from the top?</source>
        <translation>Das Ende der Datensätze wurde erreicht. Am Anfang fortsetzen?</translation>
    </message>
    <message>
        <source>Search text not found.</source>
        <translation>Suchtext nicht gefunden.</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Alle ersetzen</translation>
    </message>
</context>
<context>
    <name>kribed::ReplaceDialog</name>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Match case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Whole cell</source>
        <translation>Ganze &amp;Zelle</translation>
    </message>
    <message>
        <source>Regular e&amp;xpression</source>
        <translation>Regulärer &amp;Ausdruck</translation>
    </message>
    <message>
        <source>In &amp;selection</source>
        <translation>Nur in der A&amp;uswahl</translation>
    </message>
    <message>
        <source>Include &amp;hidden records</source>
        <translation>Ausgeblendete Datensätze ein&amp;beziehen</translation>
    </message>
    <message>
        <source>&amp;Find next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;all</source>
        <translation>A&amp;lle ersetzen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Fi&amp;nd</source>
        <translation>&amp;Suchen nach</translation>
    </message>
    <message>
        <source>Replace wi&amp;th</source>
        <translation>Ersetzen &amp;durch</translation>
    </message>
    <message>
        <source>in Fiel&amp;d</source>
        <translation>in &amp;Feld</translation>
    </message>
    <message>
        <source>All Fields</source>
        <translation>Alle Felder</translation>
    </message>
    <message>
        <source>Choose a field</source>
        <translation>Feld wählen</translation>
    </message>
</context>
<context>
    <name>kribed::RowColumnCommands</name>
    <message>
        <source>&amp;Delete Row</source>
        <translation>Zeile &amp;löschen</translation>
    </message>
    <message>
        <source>Delete row</source>
        <translation>Zeile löschen</translation>
    </message>
    <message>
        <source>&amp;Insert Row</source>
        <translation>Zeile e&amp;infügen</translation>
    </message>
    <message>
        <source>Insert row</source>
        <translation>Zeile einfügen</translation>
    </message>
    <message>
        <source>&amp;Append Row</source>
        <translation>Zeile a&amp;nhängen</translation>
    </message>
    <message>
        <source>Append row</source>
        <translation>Zeile anhängen</translation>
    </message>
    <message>
        <source>Dele&amp;te Column</source>
        <translation>Spalte lös&amp;chen</translation>
    </message>
    <message>
        <source>Delete column</source>
        <translation>Spalte löschen</translation>
    </message>
    <message>
        <source>I&amp;nsert Column</source>
        <translation>Spalte einfü&amp;gen</translation>
    </message>
    <message>
        <source>Insert column</source>
        <translation>Spalte einfügen</translation>
    </message>
    <message>
        <source>A&amp;ppend Column</source>
        <translation>S&amp;palte anhängen</translation>
    </message>
    <message>
        <source>Append column</source>
        <translation>Spalte anhängen</translation>
    </message>
    <message>
        <source>&amp;Delete row</source>
        <translation>Zeile &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Insert row</source>
        <translation>Zeile e&amp;infügen</translation>
    </message>
    <message>
        <source>&amp;Append row</source>
        <translation>Zeile a&amp;nhängen</translation>
    </message>
    <message>
        <source>Delete Row</source>
        <translation>Zeile löschen</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Zeile einfügen</translation>
    </message>
    <message>
        <source>Append Row</source>
        <translation>Zeile anhängen</translation>
    </message>
    <message>
        <source>Delete Column</source>
        <translation>Spalte löschen</translation>
    </message>
    <message>
        <source>Insert Column</source>
        <translation>Spalte einfügen</translation>
    </message>
    <message>
        <source>Append Column</source>
        <translation>Spalte anhängen</translation>
    </message>
</context>
<context>
    <name>kribed::ToolsCommands</name>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>F&amp;ind next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Auto sizing</source>
        <translation>Automatische Spalten&amp;breite</translation>
    </message>
    <message>
        <source>Auto sizing</source>
        <translation>Automatische Spaltenbreite</translation>
    </message>
    <message>
        <source>&amp;Enable filter</source>
        <translation>&amp;Filter einschalten</translation>
    </message>
    <message>
        <source>Filter records</source>
        <translation>Datensätze filtern</translation>
    </message>
    <message>
        <source>Sort &amp;normal</source>
        <translation>&amp;Aufsteigend sortieren</translation>
    </message>
    <message>
        <source>Sort normal</source>
        <translation>Aufsteigend sortieren</translation>
    </message>
    <message>
        <source>Sort &amp;reverse</source>
        <translation>Absteigend s&amp;ortieren</translation>
    </message>
    <message>
        <source>Sort reverse</source>
        <translation>Absteigend sortieren</translation>
    </message>
    <message>
        <source>Column S&amp;um</source>
        <translation>Spaltens&amp;umme</translation>
    </message>
    <message>
        <source>Column sum</source>
        <translation>Spaltensumme</translation>
    </message>
    <message>
        <source>&amp;Row Sum</source>
        <translation>&amp;Zeilensumme</translation>
    </message>
    <message>
        <source>Row sum</source>
        <translation>Zeilensumme</translation>
    </message>
    <message>
        <source>Column Sum</source>
        <translation>Spaltensumme</translation>
    </message>
    <message>
        <source>Row Sum</source>
        <translation>Zeilensumme</translation>
    </message>
</context>
<context>
    <name>kribed::WelcomePanel</name>
    <message>
        <source>Recent files</source>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
</context>
</TS>
