<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
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
        <translation>Uso: %1 [ORIGEN [DESTINO]]
Compara dos archivos de texto línea a línea en una ventana.

ORIGEN es el documento antes de los cambios y DESTINO el documento con
cambios. La ventana se abre con ellos en sus campos, como si se hubieran
elegido allí; si se indican ambos, Intro los compara.

  -h, --help     muestra esta ayuda y termina
      --version  muestra la información de versión y termina
</translation>
    </message>
    <message numerus="yes">
        <location line="+78"/>
        <source>Too many files: %n given, but only a source and a target can be compared.</source>
        <translation>
            <numerusform>Demasiados archivos: se indicó %n, pero solo se pueden comparar un origen y un destino.</numerusform>
            <numerusform>Demasiados archivos: se indicaron %n, pero solo se pueden comparar un origen y un destino.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Pruebe «%1 --help» para más información.</translation>
    </message>
</context>
<context>
    <name>CompareRun</name>
    <message>
        <location filename="../compare/compare_run.cpp" line="+23"/>
        <source>The report file could not be made in %1 (%2), nor in %3</source>
        <translation>No se pudo crear el archivo de informe en %1 (%2) ni en %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The report file %1 has disappeared</source>
        <translation>El archivo de informe %1 ha desaparecido</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Oops, %1: %2</source>
        <translation>Vaya, %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unexpected error</source>
        <translation>Error inesperado</translation>
    </message>
    <message>
        <location filename="../compare/compare_run.h" line="+16"/>
        <source>File Compare</source>
        <translation>Comparación de archivos</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a source file, please</source>
        <translation>Indique un archivo de origen, por favor</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a target file, please</source>
        <translation>Indique un archivo de destino, por favor</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The path of the source file is too long</source>
        <translation>La ruta del archivo de origen es demasiado larga</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The path of the target file is too long</source>
        <translation>La ruta del archivo de destino es demasiado larga</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Problem executing file compare</source>
        <translation>Problema al ejecutar la comparación de archivos</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparison did not finish, so its report is incomplete.</source>
        <translation>La comparación no terminó, por lo que su informe está incompleto.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer was ended by signal %1.</source>
        <translation>El comparador fue detenido por la señal %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer ended with exit status %1.</source>
        <translation>El comparador terminó con el código de salida %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer wrote:
%1</source>
        <translation>El comparador escribió:
%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The report could not be opened: %1.</source>
        <translation>No se pudo abrir el informe: %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nor could it be read to show it here: %1.</source>
        <translation>Tampoco se pudo leer para mostrarlo aquí: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Report file: %1</source>
        <translation>Archivo de informe: %1</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <location filename="../report/find_bar.cpp" line="+22"/>
        <source>&amp;Find:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Find</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Previous</source>
        <translation>&amp;Anterior</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Not found</source>
        <translation>No se encontró</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the end</source>
        <translation>Búsqueda continuada desde el final</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the start</source>
        <translation>Búsqueda continuada desde el principio</translation>
    </message>
</context>
<context>
    <name>PosixPlatform</name>
    <message>
        <location filename="../platform/posix_platform.cpp" line="+34"/>
        <source>The current folder cannot be read: %1</source>
        <translation>No se puede leer la carpeta actual: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The path %1 is too long</source>
        <translation>La ruta %1 es demasiado larga</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The comparer %1 cannot be run (%2); reinstall Varnel File Compare</source>
        <translation>No se puede ejecutar el comparador %1 (%2); reinstale Comparación de archivos Varnel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 was not found on PATH (it comes with the package xdg-utils)</source>
        <translation>No se encontró %1 en el PATH (viene en el paquete xdg-utils)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be started (%2)</source>
        <translation>No se pudo iniciar %1 (%2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 was ended by signal %2</source>
        <translation>%1 fue detenido por la señal %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 ended with exit status %2</source>
        <translation>%1 terminó con el código de salida %2</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>%1 ended with exit status %2 (error in command line syntax)</source>
        <translation>%1 terminó con el código de salida %2 (error de sintaxis en la línea de órdenes)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the report file was not found)</source>
        <translation>%1 terminó con el código de salida %2 (no se encontró el archivo de informe)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (a required tool could not be found)</source>
        <translation>%1 terminó con el código de salida %2 (no se encontró una herramienta necesaria)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the action failed)</source>
        <translation>%1 terminó con el código de salida %2 (la acción falló)</translation>
    </message>
</context>
<context>
    <name>ReportView</name>
    <message>
        <location filename="../report/report_view.cpp" line="+63"/>
        <source>Report</source>
        <translation>Informe</translation>
    </message>
</context>
<context>
    <name>ReportWindow</name>
    <message>
        <location filename="../report/report_window.cpp" line="+32"/>
        <source> [… this line goes on in the report file]</source>
        <translation> [… esta línea continúa en el archivo de informe]</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 and %2 – %3</source>
        <translation>%1 y %2 – %3</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Report file:</source>
        <translation>Archivo de informe:</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>[The report goes on past this point; the rest is in the file %1]</source>
        <translation>[El informe continúa más allá de este punto; el resto está en el archivo %1]</translation>
    </message>
</context>
<context>
    <name>UIForm</name>
    <message>
        <location filename="../app/ui_form.cpp" line="+45"/>
        <source>Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|All Files (*.*)|*.*</source>
        <extracomment>Four filters of the file dialog, each a description and then its pattern, all joined by &apos;|&apos;. Translate the descriptions only; keep every &apos;|&apos;, &apos;(*.*)&apos; and pattern as it is.</extracomment>
        <translation>Archivos de registro (*.log)|*.log|Archivos de texto (*.txt)|*.txt|Archivos por lotes (*.bat)|*.bat|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Varnel File Compare</source>
        <translation>Comparación de archivos Varnel</translation>
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
        <translation>Elegir el archivo de origen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the original document to compare.</source>
        <translation>Elija el documento original que quiere comparar.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the document with changes.</source>
        <translation>Elija el documento con cambios.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compare</source>
        <translation>Comparar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Browse for the target file</source>
        <translation>Elegir el archivo de destino</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Source</source>
        <translation>Origen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Target</source>
        <translation>Destino</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Display only first and last lines for each set of differences</source>
        <translation>Mostrar solo la primera y la última línea de cada diferencia</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Binary comparison</source>
        <translation>Comparación binaria</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disregard case of letters</source>
        <translation>Ignorar mayúsculas y minúsculas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display line numbers on an ASCII comparison</source>
        <translation>Mostrar números de línea en una comparación ASCII</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Do not expand tabs to spaces</source>
        <translation>No convertir tabulaciones en espacios</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compress white space (tabs and spaces) for comparison</source>
        <translation>Comprimir los blancos (tabulaciones y espacios) al comparar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compare files as ASCII text</source>
        <translation>Comparar los archivos como texto ASCII</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Maximum consecutive mismatch lines</source>
        <translation>Máximo de líneas distintas consecutivas</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number of consecutive lines that must match after a mismatch</source>
        <translation>Número de líneas consecutivas que deben coincidir tras una diferencia</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>Source File</source>
        <translation>Archivo de origen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Target File</source>
        <translation>Archivo de destino</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Not used: the default applies. A count is a whole number from 1 up, in digits alone.</source>
        <translation>No se usa: se aplica el valor predeterminado. Un número es un entero a partir de 1, escrito solo con dígitos.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparer takes whole numbers only: it refuses this count, and its report says so.</source>
        <translation>El comparador solo acepta números enteros: rechaza este número y su informe lo indica.</translation>
    </message>
    <message>
        <location filename="../compare/switches.h" line="+16"/>
        <source>Details &gt;&gt;&gt;</source>
        <translation>Detalles &gt;&gt;&gt;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No Details &lt;&lt;&lt;</source>
        <translation>Sin detalles &lt;&lt;&lt;</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frm_about.cpp" line="+99"/>
        <source>Program icon</source>
        <translation>Icono del programa</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>File compare utility.</source>
        <translation>Utilidad para comparar archivos.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Warning: ...This program comes with no warranty of any kind. You use it at your own risk.</source>
        <translation>Advertencia: ...Este programa se ofrece sin garantía de ningún tipo. Lo usa bajo su propia responsabilidad.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>News, updates and help for this program are on its web page: https://varnel.example.org/</source>
        <translation>Las novedades, las actualizaciones y la ayuda de este programa están en su página web: https://varnel.example.org/</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
</context>
</TS>
