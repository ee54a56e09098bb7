<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Firmware</name>
    <message>
        <source>Baudrate wurde vom LCD-Board nicht bestätigt!

      Datenübertragung abgebrochen!</source>
        <translation>The LCD board did not confirm the baud rate!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Zeitüberschreitung beim Baudrate ermitteln!

      Datenübertragung abgebrochen!</source>
        <translation>Timeout while detecting the baud rate!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Flash in Bearbeitung!</source>
        <translation>Flash busy!</translation>
    </message>
    <message>
        <source>Flash löschen mit Fehler beendet!</source>
        <translation>Flash erase ended with an error!</translation>
    </message>
    <message>
        <source>Flash programmieren mit Fehler beendet!!</source>
        <translation>Flash programming ended with an error!</translation>
    </message>
    <message>
        <source>ID nicht geprüft!</source>
        <translation>ID not checked!</translation>
    </message>
    <message>
        <source>ID nicht abgestimmt!</source>
        <translation>ID does not match!</translation>
    </message>
    <message>
        <source>Zeitüberschreitung beim Flash prüfen!

      Datenübertragung abgebrochen!</source>
        <translation>Timeout while verifying the flash!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Flash-Prüfung fehlgeschlagen bei Adresse %1!</source>
        <translation>Flash verification failed at address %1!</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Flash löschen</source>
        <translation>Erasing flash</translation>
    </message>
    <message>
        <source>Flash gelöscht</source>
        <translation>Flash erased</translation>
    </message>
    <message>
        <source>Code-Flash programmieren</source>
        <translation>Programming code flash</translation>
    </message>
    <message>
        <source>Code-Flash programmiert</source>
        <translation>Code flash programmed</translation>
    </message>
    <message>
        <source>Daten-Flash programmieren</source>
        <translation>Programming data flash</translation>
    </message>
    <message>
        <source>Daten-Flash programmiert</source>
        <translation>Data flash programmed</translation>
    </message>
    <message>
        <source>Flash prüfen</source>
        <translation>Verifying flash</translation>
    </message>
    <message>
        <source>Unerwartetes Dateiende!</source>
        <translation>Unexpected end of file!</translation>
    </message>
    <message>
        <source>Checksummen-Fehler!</source>
        <translation>Checksum error!</translation>
    </message>
    <message>
        <source>Firmware-Datei passt nicht in den Flash-Speicher!</source>
        <translation>The firmware file does not fit the flash memory!</translation>
    </message>
    <message>
        <source>Fehlerhafter Datensatz in der Firmware-Datei!</source>
        <translation>Damaged record in the firmware file!</translation>
    </message>
    <message>
        <source>Firmware-Datei beginnt nicht an einer Seitengrenze!</source>
        <translation>The firmware file does not start on a page boundary!</translation>
    </message>
    <message>
        <source>Firmware-Datei enthält keinen Programmcode!</source>
        <translation>The firmware file holds no program code!</translation>
    </message>
    <message>
        <source>Firmware-Datei enthält keinen ID-Code!</source>
        <translation>The firmware file holds no ID code!</translation>
    </message>
    <message>
        <source>Firmware-Datei unvollständig: die Anzahl der Datensätze stimmt nicht!</source>
        <translation>Firmware file incomplete: the number of records does not match!</translation>
    </message>
</context>
</TS>
