<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <translation>Utilisation&#xa0;: %1 [SOURCE [CIBLE]]
Compare deux fichiers texte ligne par ligne dans une fenêtre.

SOURCE est le document avant les modifications et CIBLE le document
modifié. La fenêtre s’ouvre avec eux dans ses champs, comme s’ils y avaient
été choisis&#xa0;; si les deux sont indiqués, Entrée les compare.

  -h, --help     afficher cette aide et quitter
      --version  afficher les informations de version et quitter
</translation>
    </message>
    <message numerus="yes">
        <location line="+78"/>
        <source>Too many files: %n given, but only a source and a target can be compared.</source>
        <translation>
            <numerusform>Trop de fichiers&#xa0;: %n indiqué, mais seules une source et une cible peuvent être comparées.</numerusform>
            <numerusform>Trop de fichiers&#xa0;: %n indiqués, mais seules une source et une cible peuvent être comparées.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Saisissez «&#xa0;%1 --help&#xa0;» pour plus d’informations.</translation>
    </message>
</context>
<context>
    <name>CompareRun</name>
    <message>
        <location filename="../compare/compare_run.cpp" line="+23"/>
        <source>The report file could not be made in %1 (%2), nor in %3</source>
        <translation>Impossible de créer le fichier de rapport dans %1 (%2), ni dans %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The report file %1 has disappeared</source>
        <translation>Le fichier de rapport %1 a disparu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Oops, %1: %2</source>
        <translation>Oups, %1&#xa0;: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unexpected error</source>
        <translation>Erreur inattendue</translation>
    </message>
    <message>
        <location filename="../compare/compare_run.h" line="+16"/>
        <source>File Compare</source>
        <translation>Comparaison de fichiers</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a source file, please</source>
        <translation>Veuillez indiquer un fichier source</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Give us a target file, please</source>
        <translation>Veuillez indiquer un fichier cible</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The path of the source file is too long</source>
        <translation>Le chemin du fichier source est trop long</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The path of the target file is too long</source>
        <translation>Le chemin du fichier cible est trop long</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Problem executing file compare</source>
        <translation>Problème lors de l’exécution de la comparaison de fichiers</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparison did not finish, so its report is incomplete.</source>
        <translation>La comparaison ne s’est pas terminée, son rapport est donc incomplet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer was ended by signal %1.</source>
        <translation>Le comparateur a été arrêté par le signal %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer ended with exit status %1.</source>
        <translation>Le comparateur s’est terminé avec le code de sortie %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The comparer wrote:
%1</source>
        <translation>Le comparateur a écrit&#xa0;:
%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The report could not be opened: %1.</source>
        <translation>Le rapport n’a pas pu être ouvert&#xa0;: %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nor could it be read to show it here: %1.</source>
        <translation>Il n’a pas pu non plus être lu pour être affiché ici&#xa0;: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Report file: %1</source>
        <translation>Fichier de rapport&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <location filename="../report/find_bar.cpp" line="+22"/>
        <source>&amp;Find:</source>
        <translation>&amp;Rechercher&#xa0;:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Previous</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Not found</source>
        <translation>Introuvable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the end</source>
        <translation>Recherche reprise à la fin</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Went on from the start</source>
        <translation>Recherche reprise au début</translation>
    </message>
</context>
<context>
    <name>PosixPlatform</name>
    <message>
        <location filename="../platform/posix_platform.cpp" line="+34"/>
        <source>The current folder cannot be read: %1</source>
        <translation>Le dossier courant ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The path %1 is too long</source>
        <translation>Le chemin %1 est trop long</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The comparer %1 cannot be run (%2); reinstall Varnel File Compare</source>
        <translation>Le comparateur %1 ne peut pas être exécuté (%2)&#xa0;; réinstallez Comparaison de fichiers Varnel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 was not found on PATH (it comes with the package xdg-utils)</source>
        <translation>%1 est introuvable dans le PATH (il est fourni par le paquet xdg-utils)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be started (%2)</source>
        <translation>%1 n’a pas pu être lancé (%2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 was ended by signal %2</source>
        <translation>%1 a été arrêté par le signal %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 ended with exit status %2</source>
        <translation>%1 s’est terminé avec le code de sortie %2</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>%1 ended with exit status %2 (error in command line syntax)</source>
        <translation>%1 s’est terminé avec le code de sortie %2 (erreur de syntaxe dans la ligne de commande)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the report file was not found)</source>
        <translation>%1 s’est terminé avec le code de sortie %2 (le fichier de rapport est introuvable)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (a required tool could not be found)</source>
        <translation>%1 s’est terminé avec le code de sortie %2 (un outil nécessaire est introuvable)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 ended with exit status %2 (the action failed)</source>
        <translation>%1 s’est terminé avec le code de sortie %2 (l’action a échoué)</translation>
    </message>
</context>
<context>
    <name>ReportView</name>
    <message>
        <location filename="../report/report_view.cpp" line="+63"/>
        <source>Report</source>
        <translation>Rapport</translation>
    </message>
</context>
<context>
    <name>ReportWindow</name>
    <message>
        <location filename="../report/report_window.cpp" line="+32"/>
        <source> [… this line goes on in the report file]</source>
        <translation> [… cette ligne continue dans le fichier de rapport]</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 and %2 – %3</source>
        <translation>%1 et %2 – %3</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Report file:</source>
        <translation>Fichier de rapport&#xa0;:</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>[The report goes on past this point; the rest is in the file %1]</source>
        <translation>[Le rapport continue au-delà de ce point&#xa0;; la suite se trouve dans le fichier %1]</translation>
    </message>
</context>
<context>
    <name>UIForm</name>
    <message>
        <location filename="../app/ui_form.cpp" line="+45"/>
        <source>Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|All Files (*.*)|*.*</source>
        <extracomment>Four filters of the file dialog, each a description and then its pattern, all joined by &apos;|&apos;. Translate the descriptions only; keep every &apos;|&apos;, &apos;(*.*)&apos; and pattern as it is.</extracomment>
        <translation>Fichiers journaux (*.log)|*.log|Fichiers texte (*.txt)|*.txt|Fichiers batch (*.bat)|*.bat|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Varnel File Compare</source>
        <translation>Comparaison de fichiers Varnel</translation>
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
        <translation>Choisir le fichier source</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the original document to compare.</source>
        <translation>Choisissez le document d’origine à comparer.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Choose the document with changes.</source>
        <translation>Choisissez le document modifié.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Browse for the target file</source>
        <translation>Choisir le fichier cible</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Display only first and last lines for each set of differences</source>
        <translation>N’afficher que la première et la dernière ligne de chaque différence</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Binary comparison</source>
        <translation>Comparaison binaire</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disregard case of letters</source>
        <translation>Ignorer la casse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Display line numbers on an ASCII comparison</source>
        <translation>Afficher les numéros de ligne en comparaison ASCII</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Do not expand tabs to spaces</source>
        <translation>Ne pas convertir les tabulations en espaces</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Compress white space (tabs and spaces) for comparison</source>
        <translation>Réduire les blancs (tabulations et espaces) pour comparer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compare files as ASCII text</source>
        <translation>Comparer les fichiers en texte ASCII</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Maximum consecutive mismatch lines</source>
        <translation>Nombre maximal de lignes différentes consécutives</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number of consecutive lines that must match after a mismatch</source>
        <translation>Nombre de lignes consécutives qui doivent correspondre après une différence</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>Source File</source>
        <translation>Fichier source</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Target File</source>
        <translation>Fichier cible</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Not used: the default applies. A count is a whole number from 1 up, in digits alone.</source>
        <translation>Non utilisé&#xa0;: la valeur par défaut s’applique. Un nombre est un entier à partir de 1, écrit en chiffres seulement.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The comparer takes whole numbers only: it refuses this count, and its report says so.</source>
        <translation>Le comparateur n’accepte que des nombres entiers&#xa0;: il refuse ce nombre, et son rapport le signale.</translation>
    </message>
    <message>
        <location filename="../compare/switches.h" line="+16"/>
        <source>Details &gt;&gt;&gt;</source>
        <translation>Détails &gt;&gt;&gt;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No Details &lt;&lt;&lt;</source>
        <translation>Sans détails &lt;&lt;&lt;</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <location filename="../about/frm_about.cpp" line="+99"/>
        <source>Program icon</source>
        <translation>Icône du programme</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>File compare utility.</source>
        <translation>Utilitaire de comparaison de fichiers.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Warning: ...This program comes with no warranty of any kind. You use it at your own risk.</source>
        <translation>Avertissement&#xa0;: ...Ce programme est fourni sans aucune garantie. Vous l’utilisez à vos propres risques.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>News, updates and help for this program are on its web page: https://varnel.example.org/</source>
        <translation>Les nouvelles, les mises à jour et l’aide de ce programme se trouvent sur sa page web&#xa0;: https://varnel.example.org/</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
