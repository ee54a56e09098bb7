<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Files</name>
    <message>
        <source>LCD Konfiguration v%1</source>
        <translation>LCD Configuration v%1</translation>
    </message>
    <message>
        <source>%1
ist schon vorhanden.

Möchten Sie die vorhandene Datei überschreiben?</source>
        <translation>%1
already exists.

Do you want to replace the existing file?</translation>
    </message>
    <message>
        <source>Datei kann nicht geschrieben werden!</source>
        <translation>The file cannot be written!</translation>
    </message>
    <message>
        <source>Datei gehört zu einer anderen Konfigurationsversion!
Einträge können fehlerhaft sein!

                      Trotzdem laden?</source>
        <translation>The file belongs to another configuration version!
Entries may be wrong!

Load it anyway?</translation>
    </message>
    <message>
        <source>LCD Gerätetyp.ini  ist fehlerhaft!

Typ-Erkennung ist nicht verfügbar.</source>
        <translation>LCD GeraeteTyp.ini is damaged!

Device type names are not available.</translation>
    </message>
    <message>
        <source>Datei kann nicht geöffnet werden!</source>
        <translation>The file cannot be opened!</translation>
    </message>
    <message>
        <source>Noch keine Daten vorhanden !</source>
        <translation>No data yet!</translation>
    </message>
    <message>
        <source>Die Patch-Datei konnte nicht geschrieben werden !

</source>
        <translation>The patch file could not be written!

</translation>
    </message>
    <message>
        <source>LCD Konfiguration.ini  ist fehlerhaft!

Es werden Standard-Einstellungen verwendet.</source>
        <translation>The settings file Tavrix.ini is damaged!

Default settings are used.</translation>
    </message>
    <message>
        <source>unbenannt</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>LCD Konfiguration  ( *.lcd )|*.LCD|</source>
        <translation>LCD configuration (*.lcd)|*.LCD|</translation>
    </message>
    <message>
        <source>LCD Konfiguration (*.lcd)|*.LCD|</source>
        <translation>LCD configuration (*.lcd)|*.LCD|</translation>
    </message>
</context>
</TS>
