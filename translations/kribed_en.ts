<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ChartPicture</name>
    <message numerus="yes">
        <source>%n value(s) not plotted</source>
        <translation>
            <numerusform>%n value not plotted</numerusform>
            <numerusform>%n values not plotted</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Replace</name>
    <message numerus="yes">
        <source>%n cell(s) will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Replace anyway?</source>
        <translation>
            <numerusform>%n cell will no longer read as its field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Replace anyway?</numerusform>
            <numerusform>%n cells will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Replace anyway?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n record(s)</source>
        <translation>
            <numerusform>in %n record</numerusform>
            <numerusform>in %n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n replacement(s) %1.</source>
        <translation>
            <numerusform>%n replacement %1.</numerusform>
            <numerusform>%n replacements %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of these records are hidden by the filter.</source>
        <translation>
            <numerusform>%n of these records is hidden by the filter.</numerusform>
            <numerusform>%n of these records are hidden by the filter.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) were cut at the longest value a record holds (%1 bytes).</source>
        <translation>
            <numerusform>%n cell was cut at the longest value a record holds (%1 bytes).</numerusform>
            <numerusform>%n cells were cut at the longest value a record holds (%1 bytes).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) no longer read as their field&apos;s type.</source>
        <translation>
            <numerusform>%n cell no longer reads as its field&apos;s type.</numerusform>
            <numerusform>%n cells no longer read as their field&apos;s type.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message numerus="yes">
        <source>%n cell(s) did not read as their field&apos;s type and were kept as text:</source>
        <translation>
            <numerusform>%n cell did not read as its field&apos;s type and was kept as text:</numerusform>
            <numerusform>%n cells did not read as their field&apos;s type and were kept as text:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>
and %n more.</source>
        <translation>
            <numerusform>
and %n more.</numerusform>
            <numerusform>
and %n more.</numerusform>
        </translation>
    </message>
</context>
</TS>
