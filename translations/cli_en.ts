<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Cli</name>
    <message>
        <source>Firmware %1 in die LCD-Platine übertragen?</source>
        <translation>Write the firmware %1 into the LCD board?</translation>
    </message>
    <message>
        <source>Hauptfenster</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Standardausgabe</source>
        <translation>standard output</translation>
    </message>
    <message>
        <source>Die Firmware der LCD-Platine ist unvollständig; ein neues &quot;lcdkonfig-cli flash&quot; stellt sie wieder her (der Boot-ROM bleibt).</source>
        <translation>The LCD board&apos;s firmware is incomplete; a new &quot;lcdkonfig-cli flash&quot; restores it (the boot ROM stays).</translation>
    </message>
    <message>
        <source>[j/N]</source>
        <translation>[y/N]</translation>
    </message>
    <message>
        <source>Seite 0x%1 nicht programmiert: der Boot-ROM meldet den Status 0x%2</source>
        <translation>Page 0x%1 not programmed: the boot ROM reports status 0x%2</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>Es müssen 4 Zeichen eingegeben werden !</source>
        <translation>Please enter exactly 4 characters!</translation>
    </message>
    <message>
        <source>Keinen ComPort auf dem PC gefunden!</source>
        <translation>No serial port found on this PC!</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Überwachungen abschalten</source>
        <translation>Disable protection</translation>
    </message>
    <message>
        <source>Wirkungsgrad in Zeile 3 anzeigen</source>
        <translation>Show efficiency in line 3</translation>
    </message>
    <message>
        <source>IA-Mittelwert in Zeile 3 anzeigen</source>
        <translation>Show IA mean in line 3</translation>
    </message>
</context>
</TS>
