<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Isomint stencil</source>
        <translation>Über Isomint stencil</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Webseite:</translation>
    </message>
    <message>
        <source>E-M@il:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>cdrtools Homepage</source>
        <translation>cdrtools-Webseite</translation>
    </message>
    <message>
        <source>Can&apos;t get external module information.</source>
        <translation>Informationen über externe Module nicht verfügbar.</translation>
    </message>
    <message>
        <source>Using following modules:

</source>
        <translation>Verwendete Module:

</translation>
    </message>
    <message>
        <source>Isomint Stencil, Version %1<byte value="xd"/>
<byte value="xd"/>
Date of Build: %2</source>
        <translation>Isomint Stencil, Version %1<byte value="xd"/>
<byte value="xd"/>
Erstellungsdatum: %2</translation>
    </message>
    <message>
        <source>mkisofs is Debian&apos;s genisoimage (cdrkit),<byte value="xd"/>
derived from cdrtools by Jörg Schilling.</source>
        <translation>mkisofs ist Debians genisoimage (cdrkit),<byte value="xd"/>
abgeleitet von cdrtools von Jörg Schilling.</translation>
    </message>
</context>
<context>
    <name>BuildEngine</name>
    <message>
        <source>A build is already running.</source>
        <translation>Es wird bereits ein Abbild erstellt.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid UTF-8 text, so this program cannot use it safely.
Rename it, or choose another, and try again.</source>
        <translation>Der Name „%1“ ist kein gültiger UTF-8-Text und kann daher nicht sicher verwendet werden.
Benennen Sie ihn um oder wählen Sie einen anderen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The Output File &quot;%1&quot; lies inside the Source Directory &quot;%2&quot;.
Choose an Output File outside it, so that the source is never overwritten.</source>
        <translation>Die Ausgabedatei „%1“ liegt im Quellverzeichnis „%2“.
Wählen Sie eine Ausgabedatei außerhalb davon, damit die Quelle nie überschrieben wird.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; exists and is not a regular file, so the image cannot be written there.
Choose another Output File.</source>
        <translation>„%1“ existiert und ist keine reguläre Datei, daher kann das Abbild dort nicht geschrieben werden.
Wählen Sie eine andere Ausgabedatei.</translation>
    </message>
    <message>
        <source>The Source Directory &quot;%1&quot; holds no data.</source>
        <translation>Das Quellverzeichnis „%1“ enthält keine Daten.</translation>
    </message>
    <message>
        <source>Removed the incomplete image file &quot;%1&quot;.</source>
        <translation>Die unvollständige Abbilddatei „%1“ wurde entfernt.</translation>
    </message>
    <message>
        <source>The build&apos;s progress cannot be read.</source>
        <translation>Der Fortschritt der Erstellung kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The Output File &quot;%1&quot; is being written by another build (process %2 on this computer; its lock file is &quot;%3&quot;).
Wait until it has finished, or choose another Output File.</source>
        <translation>Die Ausgabedatei „%1“ wird gerade von einer anderen Erstellung geschrieben (Prozess %2 auf diesem Computer; ihre Sperrdatei ist „%3“).
Warten Sie, bis sie fertig ist, oder wählen Sie eine andere Ausgabedatei.</translation>
    </message>
    <message>
        <source>The Output File &quot;%1&quot; is locked by a build on the computer &quot;%2&quot; (process %3; its lock file is &quot;%4&quot;).
If that build has ended, delete the lock file and try again.</source>
        <translation>Die Ausgabedatei „%1“ ist von einer Erstellung auf dem Computer „%2“ gesperrt (Prozess %3; ihre Sperrdatei ist „%4“).
Wenn diese Erstellung beendet ist, löschen Sie die Sperrdatei und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The lock file &quot;%1&quot; is in the way, and who made it cannot be read.
If no build is writing &quot;%2&quot;, delete the lock file and try again.</source>
        <translation>Die Sperrdatei „%1“ ist im Weg, und wer sie angelegt hat, lässt sich nicht lesen.
Wenn keine Erstellung „%2“ schreibt, löschen Sie die Sperrdatei und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The lock file &quot;%1&quot; is a symbolic link, which a build never follows.
If no build is writing &quot;%2&quot;, delete the link and try again.</source>
        <translation>Die Sperrdatei „%1“ ist eine symbolische Verknüpfung, der eine Erstellung nie folgt.
Wenn keine Erstellung „%2“ schreibt, löschen Sie die Verknüpfung und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>No image can be written in the folder &quot;%1&quot;: %2.
Choose an Output File in a folder you can write to.</source>
        <translation>Im Ordner „%1“ kann kein Abbild geschrieben werden: %2.
Wählen Sie eine Ausgabedatei in einem Ordner, in den Sie schreiben dürfen.</translation>
    </message>
    <message>
        <source>The image check failed:
%1
See log for details.</source>
        <translation>Die Prüfung des Abbilds ist fehlgeschlagen:
%1
Einzelheiten stehen im Protokoll.</translation>
    </message>
    <message>
        <source>The new image needs %1 MB, but only %2 MB are free in &quot;%3&quot;.</source>
        <translation>Das neue Abbild braucht %1 MB, in „%3“ sind aber nur %2 MB frei.</translation>
    </message>
    <message>
        <source>The earlier image &quot;%1&quot; was kept as it was.</source>
        <translation>Das frühere Abbild „%1“ blieb unverändert erhalten.</translation>
    </message>
    <message>
        <source>The Source Directory &quot;%1&quot; does not exist.
Choose the folder that holds VIDEO_TS.</source>
        <translation>Das Quellverzeichnis „%1“ existiert nicht.
Wählen Sie den Ordner, der VIDEO_TS enthält.</translation>
    </message>
    <message>
        <source>Removed &quot;%1&quot;, left by a build that did not end.</source>
        <translation>„%1“ wurde entfernt; eine nicht zu Ende gebrachte Erstellung hatte es hinterlassen.</translation>
    </message>
    <message>
        <source>The image builder &quot;%1&quot; cannot be started: %2.
It comes with the Debian package &quot;genisoimage&quot;.</source>
        <translation>Das Erstellungsprogramm „%1“ kann nicht gestartet werden: %2.
Es gehört zum Debian-Paket „genisoimage“.</translation>
    </message>
    <message>
        <source>The image could not be renamed to %1.</source>
        <translation>Das Abbild konnte nicht umbenannt werden in %1.</translation>
    </message>
</context>
<context>
    <name>BuildWindow</name>
    <message>
        <source>Missing File</source>
        <translation>Datei fehlt</translation>
    </message>
    <message>
        <source>DVD Directory Size</source>
        <translation>Größe des DVD-Verzeichnisses</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>CXFileDialog</name>
    <message>
        <source>Recent &amp;folders:</source>
        <translation>Zuletzt verwendete &amp;Ordner:</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>The output folder &quot;%1&quot; is not an existing folder.</source>
        <translation>Der Ausgabeordner „%1“ ist kein vorhandener Ordner.</translation>
    </message>
    <message>
        <source>%1: another source of this batch is built to &quot;%2&quot;.</source>
        <translation>%1: Eine andere Quelle dieses Durchlaufs wird bereits nach „%2“ erstellt.</translation>
    </message>
    <message>
        <source>Building &quot;%1&quot; from &quot;%2&quot;.</source>
        <translation>„%1“ wird aus „%2“ erstellt.</translation>
    </message>
    <message>
        <source>The image list &quot;%1&quot; could not be written.</source>
        <translation>Die Abbildliste „%1“ konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Stopped: what this build of &quot;%1&quot; wrote was removed.</source>
        <translation>Abgebrochen: Was diese Erstellung von „%1“ geschrieben hatte, wurde entfernt.</translation>
    </message>
    <message>
        <source>Nothing to change.</source>
        <translation>Nichts zu ändern.</translation>
    </message>
    <message>
        <source>y</source>
        <comment>short answer Yes</comment>
        <translation>j</translation>
    </message>
    <message>
        <source>yes</source>
        <comment>answer Yes</comment>
        <translation>ja</translation>
    </message>
    <message>
        <source>Answered Yes (--yes).</source>
        <translation>Mit Ja beantwortet (--yes).</translation>
    </message>
    <message>
        <source>Answered No (--no): stopped.</source>
        <translation>Mit Nein beantwortet (--no): abgebrochen.</translation>
    </message>
    <message>
        <source>No terminal to ask on, so the answer is No: stopped. Give --yes to go on.</source>
        <translation>Kein Terminal für die Rückfrage, daher lautet die Antwort Nein: abgebrochen. Mit --yes geht es weiter.</translation>
    </message>
    <message>
        <source>[y/N] </source>
        <translation>[j/N] </translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>%1 %  %2 MB/s  %3 left</source>
        <translation>%1 %  %2 MB/s  noch %3</translation>
    </message>
    <message>
        <source>xorriso was not found; install it with &quot;apt-get install xorriso&quot;.</source>
        <translation>xorriso wurde nicht gefunden; installieren Sie es mit „apt-get install xorriso“.</translation>
    </message>
    <message>
        <source>Verifying the disc against the image.</source>
        <translation>Die Disc wird mit dem Abbild verglichen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a VIDEO_TS folder: building the folder that holds it, &quot;%2&quot;.</source>
        <translation>„%1“ ist ein VIDEO_TS-Ordner: Erstellt wird der Ordner, der ihn enthält, „%2“.</translation>
    </message>
    <message>
        <source>The source list &quot;%1&quot; cannot be read: %2.</source>
        <translation>Die Quellenliste „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Wrote &quot;%1&quot;: %2, Volume ID &quot;%3&quot;.</source>
        <translation>„%1“ geschrieben: %2, Volume-ID „%3“.</translation>
    </message>
    <message>
        <source>Wrote %1 chunks, &quot;%2&quot; to &quot;%3&quot;: %4, Volume ID &quot;%5&quot;.</source>
        <translation>%1 Teile geschrieben, „%2“ bis „%3“: %4, Volume-ID „%5“.</translation>
    </message>
    <message>
        <source>The chunks are listed in &quot;%1&quot;.</source>
        <translation>Die Teile sind in „%1“ aufgeführt.</translation>
    </message>
</context>
<context>
    <name>CliUsage</name>
    <message>
        <source>Try &quot;isomint-cli --help&quot;.</source>
        <translation>„isomint-cli --help“ zeigt die Hilfe.</translation>
    </message>
    <message>
        <source>Unknown option &quot;%1&quot;.</source>
        <translation>Unbekannte Option „%1“.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Kein Befehl angegeben.</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>build needs SOURCE and OUTPUT, or SOURCE... --output-dir DIR.</source>
        <translation>build braucht SOURCE und OUTPUT oder SOURCE... --output-dir DIR.</translation>
    </message>
    <message>
        <source>build --output-dir needs at least one SOURCE.</source>
        <translation>build --output-dir braucht mindestens eine SOURCE.</translation>
    </message>
    <message>
        <source>--volume-id names one image; with --output-dir each image is named after its own source.</source>
        <translation>--volume-id benennt ein einzelnes Abbild; mit --output-dir wird jedes Abbild nach seiner eigenen Quelle benannt.</translation>
    </message>
    <message>
        <source>--record takes one image; a batch would need a disc for each.</source>
        <translation>--record nimmt ein einzelnes Abbild; ein Stapel bräuchte für jedes eine eigene Disc.</translation>
    </message>
    <message>
        <source>--device and the recording options need --record.</source>
        <translation>--device und die Brennoptionen brauchen --record.</translation>
    </message>
    <message>
        <source>check needs one SOURCE.</source>
        <translation>check braucht genau eine SOURCE.</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>--yes and --no exclude each other.</source>
        <translation>--yes und --no schließen einander aus.</translation>
    </message>
    <message>
        <source>record needs one IMAGE or image list.</source>
        <translation>record braucht genau ein IMAGE oder eine Abbildliste.</translation>
    </message>
    <message>
        <source>recording needs --device DEV.</source>
        <translation>Zum Brennen wird --device DEV gebraucht.</translation>
    </message>
    <message>
        <source>--speed takes a DVD speed such as 4 or 2.4, not &quot;%1&quot;.</source>
        <translation>--speed nimmt eine DVD-Geschwindigkeit wie 4 oder 2.4, nicht „%1“.</translation>
    </message>
    <message>
        <source>--sources-from needs --output-dir.</source>
        <translation>--sources-from braucht --output-dir.</translation>
    </message>
    <message>
        <source>OUTPUT &quot;-&quot; is no file name: an image cannot go to standard output.</source>
        <translation>AUSGABE „-“ ist kein Dateiname: ein Abbild kann nicht auf die Standardausgabe gehen.</translation>
    </message>
    <message>
        <source>%1 and %2 exclude each other.</source>
        <translation>%1 und %2 schließen einander aus.</translation>
    </message>
    <message>
        <source>Unknown progress mode &quot;%1&quot;; use auto, lines, json or none.</source>
        <translation>Unbekannte Fortschrittsart „%1“; möglich sind auto, lines, json oder none.</translation>
    </message>
    <message>
        <source>--settings and --no-settings exclude each other.</source>
        <translation>--settings und --no-settings schließen einander aus.</translation>
    </message>
    <message>
        <source>Unknown checksum &quot;%1&quot;; use sha256.</source>
        <translation>Unbekannte Prüfsumme „%1“; möglich ist sha256.</translation>
    </message>
    <message>
        <source>-0 needs --sources-from.</source>
        <translation>-0 braucht --sources-from.</translation>
    </message>
    <message>
        <source>Usage:
  isomint-cli build SOURCE OUTPUT [--volume-id ID] [build options]
  isomint-cli build SOURCE... --output-dir DIR [build options]
  isomint-cli build --sources-from FILE [-0] --output-dir DIR [build options]
  isomint-cli build SOURCE OUTPUT --record --device DEV [recording options]
  isomint-cli record IMAGE|LIST --device DEV [--speed N] [--erase] [--verify]
                     [--eject]
  isomint-cli check SOURCE
  isomint-cli --help | --version

build   checks and fixes the DVD-Video folder SOURCE (the one that holds
        VIDEO_TS), builds the image OUTPUT with mkisofs and reads it back.
        With --output-dir, each source becomes DIR/&lt;Volume ID&gt;.iso, one
        after another; a failure does not stop the rest.
check   reports what build would rename or create in SOURCE, and any
        problem, without changing anything.
record  reads the image IMAGE (or the chunks of the list LIST) back as a
        DVD-Video and records it with xorriso to DEV: an optical drive such
        as /dev/sr0, or stdio:PATH to record into a file.

Build options:
--volume-id ID        the label (default: the source&apos;s name, with every
                      character outside A-Z, 0-9 and _ made _)
--split, --no-split   split the image into 1 GB chunks listed in a .lst file
--size-check, --no-size-check
                      ask before building a source too large for a
                      single-layer DVD
--checksum=sha256     write IMAGE.sha256 beside the image, for sha256sum -c
--sources-from FILE   read the sources from FILE (- for standard input),
                      one a line, or ended by NUL with -0
--dry-run             print what the folder check would change and the
                      builder&apos;s command line, and change nothing
--yes, --no           the answer to every question; without them a question
                      is asked on the terminal, or answered No when there
                      is none
Recording options:
--record              build: record the image once it is built and checked
--speed N             the recording speed (DVD x factor); fastest when not
                      given
--erase               erase a rewritable disc first, when needed
--verify              read the disc back and compare it with the image
--eject               eject the disc at the end
Every command:
--progress=MODE       auto (in place on a terminal, else a line per
                      percent), lines, json (one object per line, and a
                      result object at the end), or none
-q, --quiet           the same as --progress=none
--settings FILE       read the defaults from FILE
--no-settings         read no settings file: split and size check off

Split and size check default to the settings file
%1,
which is never written.

Exit status: 0 success, 1 standard output could not be written, 2 wrong
command line, 3 request refused or answered No, 4 build failed, 5 image
check failed, 6 recording failed, 129 after SIGHUP, 130 after SIGINT,
143 after SIGTERM (128 + the signal).
</source>
        <translation>Aufruf:
  isomint-cli build QUELLE AUSGABE [--volume-id ID] [Erstelloptionen]
  isomint-cli build QUELLE... --output-dir VERZ [Erstelloptionen]
  isomint-cli build --sources-from DATEI [-0] --output-dir VERZ [Erstelloptionen]
  isomint-cli build QUELLE AUSGABE --record --device GERÄT [Brennoptionen]
  isomint-cli record ABBILD|LISTE --device GERÄT [--speed N] [--erase] [--verify]
                     [--eject]
  isomint-cli check QUELLE
  isomint-cli --help | --version

build   prüft und repariert das DVD-Video-Verzeichnis QUELLE (das VIDEO_TS
        enthält), erstellt mit mkisofs das Abbild AUSGABE und liest es zurück.
        Mit --output-dir wird jede Quelle nacheinander zu VERZ/&lt;Volume-ID&gt;.iso;
        ein Fehler hält die übrigen nicht auf.
check   meldet, was build in QUELLE umbenennen oder anlegen würde, und jedes
        Problem, ohne etwas zu ändern.
record  liest das Abbild ABBILD (oder die Teile der Liste LISTE) als DVD-Video
        zurück und brennt es mit xorriso auf GERÄT: ein optisches Laufwerk wie
        /dev/sr0 oder stdio:PFAD, um in eine Datei zu brennen.

Erstelloptionen:
--volume-id ID        die Bezeichnung (Vorgabe: der Name der Quelle, jedes
                      Zeichen außer A-Z, 0-9 und _ zu _ gemacht)
--split, --no-split   das Abbild in 1-GB-Teile aufteilen, aufgeführt in einer
                      .lst-Datei
--size-check, --no-size-check
                      vor dem Erstellen einer Quelle nachfragen, die für eine
                      einschichtige DVD zu groß ist
--checksum=sha256     ABBILD.sha256 neben das Abbild schreiben, für sha256sum -c
--sources-from DATEI  die Quellen aus DATEI lesen (- für die Standardeingabe),
                      eine je Zeile, oder mit -0 je durch NUL beendet
--dry-run             zeigen, was die Ordnerprüfung ändern würde, und die
                      Befehlszeile des Erstellungsprogramms; nichts ändern
--yes, --no           die Antwort auf jede Frage; ohne sie wird im Terminal
                      gefragt, oder mit Nein geantwortet, wenn es keines gibt
Brennoptionen:
--record              build: das Abbild brennen, sobald es erstellt und
                      geprüft ist
--speed N             die Brenngeschwindigkeit (DVD-Faktor x); ohne Angabe die
                      höchste
--erase               eine wiederbeschreibbare Disc bei Bedarf zuerst löschen
--verify              die Disc zurücklesen und mit dem Abbild vergleichen
--eject               die Disc am Ende auswerfen
Jeder Befehl:
--progress=MODUS      auto (an Ort und Stelle im Terminal, sonst eine Zeile je
                      Prozent), lines, json (ein Objekt je Zeile und am Ende
                      ein Ergebnisobjekt) oder none
-q, --quiet           dasselbe wie --progress=none
--settings DATEI      die Vorgaben aus DATEI lesen
--no-settings         keine Einstellungsdatei lesen: Aufteilen und
                      Größenprüfung aus

Aufteilen und Größenprüfung folgen als Vorgabe der Einstellungsdatei
%1,
die nie geschrieben wird.

Rückgabewert: 0 Erfolg, 1 Standardausgabe nicht schreibbar, 2 falsche
Befehlszeile, 3 Auftrag abgelehnt oder mit Nein beantwortet, 4 Erstellung
fehlgeschlagen, 5 Prüfung des Abbilds fehlgeschlagen, 6 Brennen fehlgeschlagen,
129 nach SIGHUP, 130 nach SIGINT, 143 nach SIGTERM (128 + das Signal).
</translation>
    </message>
    <message>
        <source>Standard output cannot be written: %1.</source>
        <translation>Die Standardausgabe kann nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; does not exist or is not a file.</source>
        <translation>Die Einstellungsdatei „%1“ existiert nicht oder ist keine Datei.</translation>
    </message>
    <message>
        <source>%1 does not take %2.</source>
        <translation>%1 nimmt kein %2.</translation>
    </message>
</context>
<context>
    <name>DvdFolderCheck</name>
    <message>
        <source>These names differ only in case:
%1
Keep one of them and try again.</source>
        <translation>Diese Namen unterscheiden sich nur in der Groß-/Kleinschreibung:
%1
Behalten Sie einen davon und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2.
The image would be built without it.</source>
        <translation>„%1“ kann nicht gelesen werden: %2.
Das Abbild würde ohne diese Datei erstellt.</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot; to &quot;%2&quot;</source>
        <translation>„%1“ in „%2“ umbenennen</translation>
    </message>
    <message>
        <source>Create &quot;%1&quot;</source>
        <translation>„%1“ anlegen</translation>
    </message>
    <message>
        <source>Cannot create &quot;%1&quot;: %2. The image will have no AUDIO_TS folder.</source>
        <translation>„%1“ kann nicht angelegt werden: %2. Das Abbild erhält keinen AUDIO_TS-Ordner.</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3.
The image builder would not find it under its present name.</source>
        <translation>„%1“ kann nicht in „%2“ umbenannt werden: %3.
Das Erstellungsprogramm fände es unter seinem jetzigen Namen nicht.</translation>
    </message>
    <message>
        <source>Note: &quot;%1&quot; is not part of the DVD-Video.</source>
        <translation>Hinweis: „%1“ gehört nicht zum DVD-Video.</translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>stencil_hlp.html</source>
        <extracomment>The file name of this language&apos;s help page, such as stencil_hlp_de.html</extracomment>
        <translation>stencil_hlp_de.html</translation>
    </message>
</context>
<context>
    <name>ImageCheck</name>
    <message>
        <source>the image cannot be read as a DVD-Video disc</source>
        <translation>das Abbild kann nicht als DVD-Video-Disc gelesen werden</translation>
    </message>
    <message>
        <source>no image was written</source>
        <translation>es wurde kein Abbild geschrieben</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a file</source>
        <translation>%1 kann nicht als Datei geöffnet werden</translation>
    </message>
    <message>
        <source>Image check: </source>
        <translation>Abbildprüfung: </translation>
    </message>
    <message>
        <source>%1 is missing from the image</source>
        <translation>%1 fehlt im Abbild</translation>
    </message>
    <message>
        <source>%1 has %2 bytes in the image, %3 in the source</source>
        <translation>%1 hat im Abbild %2 Bytes, in der Quelle %3</translation>
    </message>
    <message>
        <source>%1 runs past the end of the image</source>
        <translation>%1 reicht über das Ende des Abbilds hinaus</translation>
    </message>
    <message>
        <source>%1 cannot be read in the source</source>
        <translation>%1 kann in der Quelle nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 differs from the source from byte %2 on</source>
        <translation>%1 weicht ab Byte %2 von der Quelle ab</translation>
    </message>
    <message>
        <source>the information file of the video manager cannot be read</source>
        <translation>die Informationsdatei des Video-Managers kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the video manager lists %1 title sets</source>
        <translation>der Video-Manager nennt %1 Titelsätze</translation>
    </message>
    <message>
        <source>the information file of title set %1 cannot be read</source>
        <translation>die Informationsdatei von Titelsatz %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the image has %1 bytes, its file system needs %2</source>
        <translation>das Abbild hat %1 Bytes, sein Dateisystem braucht %2</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>information file</source>
        <translation>Informationsdatei</translation>
    </message>
    <message>
        <source>information files</source>
        <translation>Informationsdateien</translation>
    </message>
    <message>
        <source>title set</source>
        <translation>Titelsatz</translation>
    </message>
    <message>
        <source>title sets</source>
        <translation>Titelsätze</translation>
    </message>
    <message>
        <source>the source folder&apos;s VIDEO_TS cannot be listed</source>
        <translation>VIDEO_TS im Quellordner kann nicht aufgelistet werden</translation>
    </message>
    <message>
        <source>the image has %1 bytes, its file system %2</source>
        <translation>das Abbild hat %1 Bytes, sein Dateisystem %2</translation>
    </message>
    <message>
        <source>the video manager and %1 read back; the image holds its file system&apos;s %2 bytes.</source>
        <translation>Video-Manager und %1 zurückgelesen; das Abbild enthält die %2 Bytes seines Dateisystems.</translation>
    </message>
    <message>
        <source>the video manager</source>
        <translation>der Video-Manager</translation>
    </message>
    <message>
        <source>title set %1</source>
        <translation>Titelsatz %1</translation>
    </message>
    <message>
        <source>title set %1 starts at sector %2 counted from VIDEO_TS.IFO, the video manager expects sector %3</source>
        <translation>Titelsatz %1 beginnt, von VIDEO_TS.IFO aus gezählt, bei Sektor %2, der Video-Manager erwartet Sektor %3</translation>
    </message>
    <message>
        <source>the title VOBs of title set %1 start at sector %2 counted from %3, the title set expects sector %4</source>
        <translation>die Titel-VOBs von Titelsatz %1 beginnen, von %3 aus gezählt, bei Sektor %2, der Titelsatz erwartet Sektor %4</translation>
    </message>
    <message>
        <source>%1: %2 starts at sector %3, expected at sector %4 or later, after its IFO and VOBs</source>
        <translation>%1: %2 beginnt bei Sektor %3, erwartet bei Sektor %4 oder später, nach seiner IFO und seinen VOBs</translation>
    </message>
    <message>
        <source>%1: %2 starts at sector %3, on the sectors of %4 from sector %5</source>
        <translation>%1: %2 beginnt bei Sektor %3, auf den Sektoren von %4 ab Sektor %5</translation>
    </message>
    <message>
        <source>note: &quot;%1&quot; is not part of the DVD-Video and was not checked.</source>
        <translation>Hinweis: „%1“ gehört nicht zum DVD-Video und wurde nicht geprüft.</translation>
    </message>
    <message>
        <source>%1 of VIDEO_TS found with their sizes, %2 equal to the source&apos;s; the video manager and %3 read back, laid out as their information files say.</source>
        <translation>%1 von VIDEO_TS mit ihren Größen gefunden, %2 gleich denen der Quelle; Video-Manager und %3 zurückgelesen und so angeordnet, wie ihre Informationsdateien es angeben.</translation>
    </message>
</context>
<context>
    <name>ImageChecksum</name>
    <message>
        <source>The image file &quot;%1&quot; could not be read: %2.</source>
        <translation>Die Abbilddatei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The checksum file &quot;%1&quot; could not be written: %2.</source>
        <translation>Die Prüfsummendatei „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>LicenseDialog</name>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>License text</source>
        <translation>Lizenztext</translation>
    </message>
</context>
<context>
    <name>LinkOpener</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Link kann nicht geöffnet werden:

</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem hat den Zugriff
auf die angegebene Datei verweigert.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Der angegebenen Dateiendung ist
kein Programm zugeordnet.</translation>
    </message>
    <message>
        <source>No program to open links was found.
Install the package %1.</source>
        <translation>Es wurde kein Programm zum Öffnen von Links gefunden.
Installieren Sie das Paket %1.</translation>
    </message>
</context>
<context>
    <name>LogDialog</name>
    <message>
        <source>View Logfile</source>
        <translation>Protokoll anzeigen</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Source Directory:</source>
        <translation>Quellverzeichnis:</translation>
    </message>
    <message>
        <source>Output File:</source>
        <translation>Ausgabedatei:</translation>
    </message>
    <message>
        <source>Volume ID:</source>
        <translation>Volume-ID:</translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation>&amp;Abbild</translation>
    </message>
    <message>
        <source> Recording Options </source>
        <translation> Brennoptionen </translation>
    </message>
    <message>
        <source>&amp;Shutdown Windows after recording</source>
        <translation>Nach dem Brennen &amp;herunterfahren</translation>
    </message>
    <message>
        <source>&amp;Verify written DVD</source>
        <translation>Gebrannte DVD ü&amp;berprüfen</translation>
    </message>
    <message>
        <source>Recording Speed: </source>
        <translation>Geschwindigkeit: </translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Protokoll</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>Abb&amp;ruch</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Beende&amp;n</translation>
    </message>
    <message>
        <source>&amp;Program Settings</source>
        <translation>&amp;Programmeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Informationen</translation>
    </message>
    <message>
        <source>&amp;License</source>
        <translation>&amp;Lizenz</translation>
    </message>
    <message>
        <source>&amp;Donation</source>
        <translation>&amp;Spenden</translation>
    </message>
    <message>
        <source>Choose a Directory which contains the DVD File structure:</source>
        <translation>Wählen Sie ein Verzeichnis mit der Dateistruktur der DVD:</translation>
    </message>
    <message>
        <source>Can&apos;t get dir...</source>
        <translation>Kein Verzeichnis erhalten...</translation>
    </message>
    <message>
        <source>ISO Image (*.iso)|*.iso|Image File (*.img)|*.img|All Files (*.*)||</source>
        <translation>ISO-Abbild (*.iso)|*.iso|Abbilddatei (*.img)|*.img|Alle Dateien (*.*)||</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>A build is running. Abort it and quit?</source>
        <translation>Ein Abbild wird gerade erstellt. Abbrechen und beenden?</translation>
    </message>
    <message>
        <source>Verifying… %1</source>
        <translation>Überprüfung… %1</translation>
    </message>
    <message>
        <source>%1 % Recording… %2</source>
        <translation>%1 % Brennen… %2</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Recording Failed</source>
        <translation>Brennen fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 %  ·  %2 MB/s  ·  %3 left</source>
        <translation>%1 %  ·  %2 MB/s  ·  noch %3</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>&amp;Record Image...</source>
        <translation>Abbild &amp;brennen...</translation>
    </message>
    <message>
        <source>Image or Image List (*.iso;*.lst)|*.iso;*.lst|ISO Image (*.iso)|*.iso|Image List (*.lst)|*.lst|All Files (*.*)||</source>
        <translation>Abbild oder Abbildliste (*.iso;*.lst)|*.iso;*.lst|ISO-Abbild (*.iso)|*.iso|Abbildliste (*.lst)|*.lst|Alle Dateien (*.*)||</translation>
    </message>
    <message>
        <source>Nothing was recorded: the image check failed.
%1</source>
        <translation>Es wurde nichts gebrannt: Die Prüfung des Abbilds ist fehlgeschlagen.
%1</translation>
    </message>
    <message>
        <source>Recording is turned off in the Program Settings.</source>
        <translation>Das Brennen ist in den Programmeinstellungen ausgeschaltet.</translation>
    </message>
</context>
<context>
    <name>Outcome</name>
    <message>
        <source>System Error # %1!</source>
        <translation>Systemfehler Nr. %1!</translation>
    </message>
    <message>
        <source>

You can find a list with possible errors at:

</source>
        <translation>

Eine Liste möglicher Fehler finden Sie unter:

</translation>
    </message>
    <message>
        <source>

Please use the support forum for help!</source>
        <translation>

Bitte wenden Sie sich an das Support-Forum!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Action successfully completed!
See log for details.</source>
        <translation>Vorgang erfolgreich abgeschlossen!
Einzelheiten siehe Protokoll.</translation>
    </message>
    <message>
        <source>Can&apos;t find a &quot;VIDEO_TS&quot; directory.
This directory must exist below the given Source Directory!</source>
        <translation>Kein „VIDEO_TS“-Verzeichnis gefunden.
Dieses Verzeichnis muss im angegebenen Quellverzeichnis liegen!</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fehler!</translation>
    </message>
    <message>
        <source>Unsupported character (&quot;%1&quot;) in Volume ID.
Use only standard letters, numbers and underscores!</source>
        <translation>Nicht unterstütztes Zeichen („%1“) in der Volume-ID.
Verwenden Sie nur einfache Buchstaben, Ziffern und Unterstriche!</translation>
    </message>
    <message>
        <source>Missing needed file: %1</source>
        <translation>Benötigte Datei fehlt: %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Missing file: %1
Do you want to continue?</source>
        <translation>Datei fehlt: %1
Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Missing needed information.
Check if you have inserted SourceDir, TargetFile and VolumeID!</source>
        <translation>Angaben fehlen.
Prüfen Sie, ob Quellverzeichnis, Ausgabedatei und Volume-ID eingetragen sind!</translation>
    </message>
    <message>
        <source>Volume ID too long!</source>
        <translation>Volume-ID zu lang!</translation>
    </message>
    <message>
        <source>&quot;mkisofs&quot; reports some errors.
See log for details.</source>
        <translation>„mkisofs“ meldet Fehler.
Einzelheiten siehe Protokoll.</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>ProgramUsage</name>
    <message>
        <source>Usage: isomint [SOURCE]

Opens the Isomint Stencil window. SOURCE, a DVD-Video folder (the one that
holds VIDEO_TS, VIDEO_TS itself or a file in it), fills the Source Directory
and proposes the Volume ID.

  --help     show this text and exit
  --version  show the version and exit

To build, check or record without a window, use isomint-cli
(isomint-cli --help).
</source>
        <translation>Aufruf: isomint [QUELLE]

Öffnet das Fenster von Isomint Stencil. QUELLE, ein DVD-Video-Verzeichnis (das
VIDEO_TS enthält, VIDEO_TS selbst oder eine Datei darin), füllt das
Quellverzeichnis und schlägt die Volume-ID vor.

  --help     diesen Text zeigen und beenden
  --version  die Version zeigen und beenden

Zum Erstellen, Prüfen oder Brennen ohne Fenster dient isomint-cli
(isomint-cli --help).
</translation>
    </message>
    <message>
        <source>No display could be opened. isomint-cli works without one.</source>
        <translation>Es konnte keine Anzeige geöffnet werden. isomint-cli funktioniert ohne Anzeige.</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!</source>
        <translation>Zum Brennen wird mindestens DVDDecrypter Ver. 3.1.7.0 benötigt!</translation>
    </message>
    <message>
        <source>Can&apos;t receive file information for file </source>
        <translation>Dateiinformationen können nicht gelesen werden für die Datei </translation>
    </message>
</context>
<context>
    <name>RecorderWords</name>
    <message>
        <source>&amp;Power off after recording</source>
        <translation>Nach dem Brennen a&amp;usschalten</translation>
    </message>
    <message>
        <source> Recorder Settings </source>
        <translation> Brennprogramm-Einstellungen </translation>
    </message>
    <message>
        <source>&amp;Burn generated image</source>
        <translation>Erstelltes Abbild &amp;brennen</translation>
    </message>
    <message>
        <source>Recorder program:</source>
        <translation>Brennprogramm:</translation>
    </message>
    <message>
        <source>Recorder device:</source>
        <translation>Brenner:</translation>
    </message>
    <message>
        <source>Get the recorder program</source>
        <translation>Brennprogramm auswählen</translation>
    </message>
</context>
<context>
    <name>Recording</name>
    <message>
        <source>No recording drive is chosen.</source>
        <translation>Es ist kein Brenner gewählt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a drive.</source>
        <translation>„%1“ ist kein Laufwerk.</translation>
    </message>
    <message>
        <source>
Choose an optical drive such as /dev/sr0, or stdio: followed by the full path of a file to record into.</source>
        <translation>
Wählen Sie ein optisches Laufwerk wie /dev/sr0 oder stdio: gefolgt vom vollständigen Pfad einer Datei, in die gebrannt werden soll.</translation>
    </message>
    <message>
        <source>The image was recorded and verified successfully.</source>
        <translation>Das Abbild wurde erfolgreich gebrannt und überprüft.</translation>
    </message>
    <message>
        <source>Verification failed: the disc does not match the image.
See log for details.</source>
        <translation>Überprüfung fehlgeschlagen: Die Disc stimmt nicht mit dem Abbild überein.
Einzelheiten siehe Protokoll.</translation>
    </message>
    <message>
        <source>Nothing was recorded: &quot;%1&quot; is no longer the file that was built and checked.
Build the image again.</source>
        <translation>Es wurde nichts gebrannt: „%1“ ist nicht mehr die Datei, die erstellt und geprüft wurde.
Erstellen Sie das Abbild erneut.</translation>
    </message>
    <message>
        <source>The image was recorded successfully.</source>
        <translation>Das Abbild wurde erfolgreich gebrannt.</translation>
    </message>
    <message>
        <source>Recording was aborted.</source>
        <translation>Das Brennen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Recording failed: xorriso did not report the whole image as written.
See log for details.</source>
        <translation>Brennen fehlgeschlagen: xorriso hat nicht das ganze Abbild als geschrieben gemeldet.
Einzelheiten siehe Protokoll.</translation>
    </message>
    <message>
        <source>Recording failed (xorriso exit code %1).
See log for details.</source>
        <translation>Brennen fehlgeschlagen (xorriso-Rückgabewert %1).
Einzelheiten siehe Protokoll.</translation>
    </message>
    <message>
        <source>A chunk of the image cannot be read.
</source>
        <translation>Ein Teil des Abbilds kann nicht gelesen werden.
</translation>
    </message>
    <message>
        <source>xorriso did not report &quot;%1&quot;
</source>
        <translation>xorriso hat „%1“ nicht gemeldet
</translation>
    </message>
    <message>
        <source>xorriso reported %1 data blocks on the medium; the image has %2.
</source>
        <translation>xorriso hat %1 Datenblöcke auf dem Medium gemeldet; das Abbild hat %2.
</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an image list.</source>
        <translation>„%1“ ist keine Abbildliste.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not hold a whole ISO 9660 image.</source>
        <translation>„%1“ enthält kein vollständiges ISO-9660-Abbild.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is larger than 64 KiB and is ignored.</source>
        <translation>Die Einstellungsdatei „%1“ ist größer als 64 KiB und wird nicht beachtet.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is not a regular file and is ignored.</source>
        <translation>Die Einstellungsdatei „%1“ ist keine reguläre Datei und wird nicht beachtet.</translation>
    </message>
    <message>
        <source>Cannot save the settings to &quot;%1&quot;: %2.</source>
        <translation>Die Einstellungen können nicht in „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>cannot create the folder &quot;%1&quot;</source>
        <translation>der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Program Settings</source>
        <translation>Programmeinstellungen</translation>
    </message>
    <message>
        <source> Gerneral Settings </source>
        <translation> Allgemeine Einstellungen </translation>
    </message>
    <message>
        <source> DVD Decrypter Settings </source>
        <translation> DVD-Decrypter-Einstellungen </translation>
    </message>
    <message>
        <source>&amp;Split image into 1GB chunks (recommended for FAT32 partitions)</source>
        <translation>Abbild in 1-GB-&amp;Teile aufteilen (empfohlen für FAT32-Partitionen)</translation>
    </message>
    <message>
        <source>Chec&amp;k source directory size?</source>
        <translation>&amp;Größe des Quellverzeichnisses prüfen?</translation>
    </message>
    <message>
        <source>&amp;Burn generated image using DVD Decrypter</source>
        <translation>Erstelltes Abbild mit DVD Decrypter &amp;brennen</translation>
    </message>
    <message>
        <source>&amp;Erase non empty rewriteable media</source>
        <translation>Nicht leere wiederbeschreibbare Medien &amp;löschen</translation>
    </message>
    <message>
        <source>Path to DVD Decrypter &quot;exe&quot; file:</source>
        <translation>Pfad zu DVD Decrypter („exe“):</translation>
    </message>
    <message>
        <source>E&amp;XE file</source>
        <translation>E&amp;XE-Datei</translation>
    </message>
    <message>
        <source>DVD Recorder Drive Letter: </source>
        <translation>DVD-Brenner: </translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>Spei&amp;chern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Isomint Stencil &lt;&lt; First Time Setup &gt;&gt;</source>
        <translation>Isomint Stencil &lt;&lt; Ersteinrichtung &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>ShowInFolder</name>
    <message>
        <source>Show in &amp;Folder</source>
        <translation>Im &amp;Ordner zeigen</translation>
    </message>
</context>
<context>
    <name>SizeCheck</name>
    <message>
        <source>The size of the created image exceeds the capacity
of a single layer DVD media by ca. %1 MB!

Do you want to continue?</source>
        <translation>Das erstellte Abbild überschreitet die Kapazität
eines einschichtigen DVD-Mediums um ca. %1 MB!

Möchten Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>&amp;About Isomint stencil...</source>
        <translation>&amp;Über Isomint stencil...</translation>
    </message>
    <message>
        <source>Get the Source Directory.
This directory must contain
your VIDEO_TS directory.</source>
        <translation>Quellverzeichnis wählen.
Dieses Verzeichnis muss Ihr
VIDEO_TS-Verzeichnis enthalten.</translation>
    </message>
    <message>
        <source>Where do you want to store
your Image File?</source>
        <translation>Wo soll Ihre Abbilddatei
gespeichert werden?</translation>
    </message>
    <message>
        <source>Abort Image generation.</source>
        <translation>Abbilderstellung abbrechen.</translation>
    </message>
    <message>
        <source>See you later...</source>
        <translation>Bis später...</translation>
    </message>
    <message>
        <source>Build your DVD Image.</source>
        <translation>DVD-Abbild erstellen.</translation>
    </message>
    <message>
        <source>Save Logfile</source>
        <translation>Protokolldatei speichern</translation>
    </message>
    <message>
        <source>See U later...</source>
        <translation>Bis bald...</translation>
    </message>
    <message>
        <source>Open Log Window</source>
        <translation>Protokollfenster öffnen</translation>
    </message>
    <message>
        <source>Get DVD Decrypter Location</source>
        <translation>Speicherort von DVD Decrypter wählen</translation>
    </message>
    <message>
        <source>Save settings to ini file</source>
        <translation>Einstellungen in INI-Datei speichern</translation>
    </message>
    <message>
        <source>Click here to open the donation site
in your default browser...</source>
        <translation>Hier klicken, um die Spendenseite
im Standardbrowser zu öffnen...</translation>
    </message>
    <message>
        <source>Isomint Stencil needs &quot;%s&quot; to generate an image!

Be sure this files exists in same folder as Isomint Stencil.</source>
        <translation>Isomint Stencil benötigt „%s“, um ein Abbild zu erstellen!

Stellen Sie sicher, dass diese Datei im selben Ordner wie Isomint Stencil liegt.</translation>
    </message>
</context>
</TS>
