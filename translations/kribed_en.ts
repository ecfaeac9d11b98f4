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
    <name>CliMessages</name>
    <message numerus="yes">
        <source>%n value(s) of %1 do not read as its type in the formats %2 and match no condition on it (--locale names others).</source>
        <translation>
            <numerusform>%n value of %1 does not read as its type in the formats %2 and matches no condition on it (--locale names others).</numerusform>
            <numerusform>%n values of %1 do not read as their type in the formats %2 and match no condition on it (--locale names others).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DatabaseCompare</name>
    <message numerus="yes">
        <source>%1 added, %2 removed, %3 changed in %n field(s)</source>
        <translation>
            <numerusform>%1 added, %2 removed, %3 changed in %n field</numerusform>
            <numerusform>%1 added, %2 removed, %3 changed in %n fields</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n definition(s) and setting(s) differ</source>
        <translation>
            <numerusform>; %n definition or setting differs</numerusform>
            <numerusform>; %n definitions and settings differ</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportFindings</name>
    <message numerus="yes">
        <source>%n record(s) after the 9999th are left out.</source>
        <translation>
            <numerusform>%n record after the 9999th is left out.</numerusform>
            <numerusform>%n records after the 9999th are left out.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) do not fit: the database takes no more records.</source>
        <translation>
            <numerusform>%n line does not fit: the database takes no more records.</numerusform>
            <numerusform>%n lines do not fit: the database takes no more records.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) are longer than 4000 bytes and will be cut.</source>
        <translation>
            <numerusform>%n value is longer than 4000 bytes and will be cut.</numerusform>
            <numerusform>%n values are longer than 4000 bytes and will be cut.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s) are not in the chosen encoding: they show as &quot;?&quot; and are imported so.</source>
        <translation>
            <numerusform>%n byte is not in the chosen encoding: it shows as &quot;?&quot; and is imported so.</numerusform>
            <numerusform>%n bytes are not in the chosen encoding: they show as &quot;?&quot; and are imported so.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n character(s) cannot be held by the code page and become &quot;?&quot;.</source>
        <translation>
            <numerusform>%n character cannot be held by the code page and becomes &quot;?&quot;.</numerusform>
            <numerusform>%n characters cannot be held by the code page and become &quot;?&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more problem(s) with field names.</source>
        <translation>
            <numerusform>%n more problem with field names.</numerusform>
            <numerusform>%n more problems with field names.</numerusform>
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
<context>
    <name>kribed::ColumnFilterPopup</name>
    <message numerus="yes">
        <source>%n value(s) of this field do not read as its type and match no condition on it.</source>
        <translation>
            <numerusform>%n value of this field does not read as its type and matches no condition on it.</numerusform>
            <numerusform>%n values of this field do not read as its type and match no condition on it.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kribed::GridCommands</name>
    <message numerus="yes">
        <source>%n cell(s) will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Fill anyway?</source>
        <translation>
            <numerusform>%n cell will no longer read as its field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Fill anyway?</numerusform>
            <numerusform>%n cells will no longer read as their field&apos;s type (a date, time, number or Boolean).<byte value="xd"/>Fill anyway?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kribed::ImportPreviewDialog</name>
    <message numerus="yes">
        <source> — %n do(es) not fit</source>
        <translation>
            <numerusform> — %n does not fit</numerusform>
            <numerusform> — %n do not fit</numerusform>
        </translation>
    </message>
</context>
</TS>
