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
</context>
<context>
    <name>Link</name>
    <message>
        <source>Es müssen 4 Zeichen eingegeben werden !</source>
        <translation>Please enter exactly 4 characters!</translation>
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
