<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Tivren</name>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries in range</source>
        <translation>
            <numerusform>%n entry in range</numerusform>
            <numerusform>%n entries in range</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n min</numerusform>
            <numerusform>%n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects in range</source>
        <translation>
            <numerusform>%n project in range</numerusform>
            <numerusform>%n projects in range</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ready to export</source>
        <translation>
            <numerusform>%n ready to export</numerusform>
            <numerusform>%n ready to export</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n selected projects</source>
        <translation>
            <numerusform>%n selected project</numerusform>
            <numerusform>%n selected projects</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>projects: %n</source>
        <translation>
            <numerusform>project: %n</numerusform>
            <numerusform>projects: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>time entries: %n</source>
        <translation>
            <numerusform>time entry: %n</numerusform>
            <numerusform>time entries: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n records cannot be imported:</source>
        <translation>
            <numerusform>%n record cannot be imported:</numerusform>
            <numerusform>%n records cannot be imported:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries will be added.</source>
        <translation>
            <numerusform>%n entry will be added.</numerusform>
            <numerusform>%n entries will be added.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new projects: %@</source>
        <translation>
            <numerusform>%n new project: %@</numerusform>
            <numerusform>%n new projects: %@</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries are already in Tivren and will be skipped.</source>
        <translation>
            <numerusform>%n entry is already in Tivren and will be skipped.</numerusform>
            <numerusform>%n entries are already in Tivren and will be skipped.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries.</source>
        <translation>
            <numerusform>Imported %n entry.</numerusform>
            <numerusform>Imported %n entries.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Created %n projects.</source>
        <translation>
            <numerusform>Created %n project.</numerusform>
            <numerusform>Created %n projects.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You were away for %n min (since %@).</source>
        <translation>
            <numerusform>You were away for %n min (since %@).</numerusform>
            <numerusform>You were away for %n min (since %@).</numerusform>
        </translation>
    </message>
</context>
</TS>
