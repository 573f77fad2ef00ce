<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../app/command_line.cpp" line="+20"/>
        <source>Usage: %1 [SOURCE [TARGET]]
Compare two text files line by line in a window.

SOURCE is the document before the changes and TARGET the document with
changes. The window opens with them in its fields, as if chosen there;
with both given, Enter compares them.

  -h, --help     display this help and exit
      --version  output version information and exit
</source>
        <translation>Aufruf: %1 [QUELLE [ZIEL]]
Vergleicht zwei Textdateien Zeile für Zeile in einem Fenster.

QUELLE ist das Dokument vor den Änderungen, ZIEL das Dokument mit den
Änderungen. Das Fenster öffnet sich mit beiden in seinen Feldern, als wären
sie dort gewählt worden; sind beide angegeben, vergleicht die Eingabetaste sie.

  -h, --help     diese Hilfe anzeigen und beenden
      --version  Versionsinformationen anzeigen und beenden
</translation>
    </message>
    <message numerus="yes">
        <location line="+78"/>
        <source>Too many files: %n given, but only a source and a target can be compared.</source>
        <translation>
            <numerusform>Zu viele Dateien: %n angegeben, verglichen werden können aber nur eine Quelle und ein Ziel.</numerusform>
            <numerusform>Zu viele Dateien: %n angegeben, verglichen werden können aber nur eine Quelle und ein Ziel.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>„%1 --help“ liefert weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>CompareRun</name>
    <message>
        <location filename="../compare/compare_run.cpp" line="+23"/>
        <source>The report file could not be made in %1 (%2), nor in %3</source>
        <translation>Die Berichtsdatei konnte weder in %1 (%2) noch in %3 angelegt werden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The report file %1 has disappeared</source>
        <translation>Die Berichtsdatei %1 ist verschwunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Oops, %1: %2</source>
        <translation>Hoppla, %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <location filename="../compare/compare_run.h" line="+16"/>
        <source>File Compare</source>
        <translation>Dateivergleich</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a source file, please</source>
        <translation>Bitte geben Sie eine Quelldatei an</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a target file, please</source>
        <translation>Bitte geben Sie eine Zieldatei an</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The path of the source file is too long</source>
        <translation>Der Pfad der Quelldatei ist zu lang</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The path of the target file is too long</source>
        <translation>Der Pfad der Zieldatei ist zu lang</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Problem executing file compare</source>
        <translation>Problem beim Ausführen des Dateivergleichs</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparison did not finish, so its report is incomplete.</source>
        <translation>Der Vergleich wurde nicht abgeschlossen, sein Bericht ist daher unvollständig.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer was ended by signal %1.</source>
        <translation>Das Vergleichsprogramm wurde durch das Signal %1 beendet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer ended with exit status %1.</source>
        <translation>Das Vergleichsprogramm endete mit dem Rückgabewert %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer wrote:
%1</source>
        <translation>Das Vergleichsprogramm meldete:
%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The report could not be opened: %1.</source>
        <translation>Der Bericht konnte nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nor could it be read to show it here: %1.</source>
        <translation>Er konnte auch nicht gelesen werden, um ihn hier anzuzeigen: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Report file: %1</source>
        <translation>Berichtsdatei: %1</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <location filename="../report/find_bar.cpp" line="+22"/>
        <source>&amp;Find:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Previous</source>
        <translation>&amp;Vorheriges</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Next</source>
        <translation>&amp;Nächstes</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the end</source>
        <translation>Vom Ende aus fortgesetzt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the start</source>
        <translation>Vom Anfang aus fortgesetzt</translation>
    </message>
</context>
<context>
    <name>PosixPlatform</name>
    <message>
        <location filename="../platform/posix_platform.cpp" line="+34"/>
        <source>The current folder cannot be read: %1</source>
        <translation>Der aktuelle Ordner kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The path %1 is too long</source>
        <translation>Der Pfad %1 ist zu lang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The comparer %1 cannot be run (%2); reinstall Varnel File Compare</source>
        <translation>Das Vergleichsprogramm %1 kann nicht ausgeführt werden (%2); installieren Sie Varnel Dateivergleich neu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 was not found on PATH (it comes with the package xdg-utils)</source>
        <translation>%1 wurde im PATH nicht gefunden (es gehört zum Paket xdg-utils)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be started (%2)</source>
        <translation>%1 konnte nicht gestartet werden (%2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 was ended by signal %2</source>
        <translation>%1 wurde durch das Signal %2 beendet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 ended with exit status %2</source>
        <translation>%1 endete mit dem Rückgabewert %2</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>%1 ended with exit status %2 (error in command line syntax)</source>
        <translation>%1 endete mit dem Rückgabewert %2 (Syntaxfehler in der Befehlszeile)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the report file was not found)</source>
        <translation>%1 endete mit dem Rückgabewert %2 (die Berichtsdatei wurde nicht gefunden)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (a required tool could not be found)</source>
        <translation>%1 endete mit dem Rückgabewert %2 (ein benötigtes Werkzeug wurde nicht gefunden)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the action failed)</source>
        <translation>%1 endete mit dem Rückgabewert %2 (die Aktion ist fehlgeschlagen)</translation>
    </message>
</context>
<context>
    <name>ReportView</name>
    <message>
        <location filename="../report/report_view.cpp" line="+63"/>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
</context>
<context>
    <name>ReportWindow</name>
    <message>
        <location filename="../report/report_window.cpp" line="+32"/>
        <source> [… this line goes on in the report file]</source>
        <translation> [… diese Zeile geht in der Berichtsdatei weiter]</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 and %2 – %3</source>
        <translation>%1 und %2 – %3</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Report file:</source>
        <translation>Berichtsdatei:</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>[The report goes on past this point; the rest is in the file %1]</source>
        <translation>[Der Bericht geht hier weiter; der Rest steht in der Datei %1]</translation>
    </message>
</context>
<context>
    <name>UIForm</name>
    <message>
        <location filename="../app/ui_form.cpp" line="+45"/>
        <source>Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|All Files (*.*)|*.*</source>
        <extracomment>Four filters of the file dialog, each a description and then its pattern, all joined by &apos;|&apos;. Translate the descriptions only; keep every &apos;|&apos;, &apos;(*.*)&apos; and pattern as it is.</extracomment>
        <translation>Protokolldateien (*.log)|*.log|Textdateien (*.txt)|*.txt|Batchdateien (*.bat)|*.bat|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Varnel File Compare</source>
        <translation>Varnel Dateivergleich</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+9"/>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Browse for the source file</source>
        <translation>Quelldatei auswählen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the original document to compare.</source>
        <translation>Wählen Sie das ursprüngliche Dokument für den Vergleich.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the document with changes.</source>
        <translation>Wählen Sie das geänderte Dokument.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Browse for the target file</source>
        <translation>Zieldatei auswählen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Display only first and last lines for each set of differences</source>
        <translation>Nur erste und letzte Zeile jedes Unterschieds anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Binary comparison</source>
        <translation>Binärer Vergleich</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disregard case of letters</source>
        <translation>Groß-/Kleinschreibung ignorieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display line numbers on an ASCII comparison</source>
        <translation>Zeilennummern beim ASCII-Vergleich anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Do not expand tabs to spaces</source>
        <translation>Tabulatoren nicht in Leerzeichen umwandeln</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compress white space (tabs and spaces) for comparison</source>
        <translation>Leerraum (Tabulatoren und Leerzeichen) zusammenfassen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compare files as ASCII text</source>
        <translation>Dateien als ASCII-Text vergleichen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Maximum consecutive mismatch lines</source>
        <translation>Höchstzahl abweichender Zeilen in Folge</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number of consecutive lines that must match after a mismatch</source>
        <translation>Anzahl der Zeilen in Folge, die nach einer Abweichung übereinstimmen müssen</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>Source File</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Target File</source>
        <translation>Zieldatei</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Not used: the default applies. A count is a whole number from 1 up, in digits alone.</source>
        <translation>Nicht verwendet: Es gilt der Standardwert. Eine Anzahl ist eine ganze Zahl ab 1, nur in Ziffern geschrieben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparer takes whole numbers only: it refuses this count, and its report says so.</source>
        <translation>Das Vergleichsprogramm nimmt nur ganze Zahlen an: Es lehnt diese Anzahl ab, und sein Bericht vermerkt das.</translation>
    </message>
    <message>
        <location filename="../compare/switches.h" line="+16"/>
        <source>Details &gt;&gt;&gt;</source>
        <translation>Details &gt;&gt;&gt;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No Details &lt;&lt;&lt;</source>
        <translation>Keine Details &lt;&lt;&lt;</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frm_about.cpp" line="+99"/>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>File compare utility.</source>
        <translation>Werkzeug zum Vergleichen von Dateien.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Warning: ...This program comes with no warranty of any kind. You use it at your own risk.</source>
        <translation>Warnung: ...Dieses Programm wird ohne jegliche Gewährleistung bereitgestellt. Die Nutzung erfolgt auf eigene Gefahr.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>News, updates and help for this program are on its web page: https://varnel.example.org/</source>
        <translation>Neuigkeiten, Aktualisierungen und Hilfe zu diesem Programm finden Sie auf seiner Webseite: https://varnel.example.org/</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
