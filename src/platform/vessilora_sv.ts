<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Swedish texts of the toolkit's own dialogs that Debian's Swedish Qt catalogue lacks or
     gets wrong. Loaded after that catalogue, so these win. -->
<TS version="2.1" language="sv_SE">
<context>
    <name>QPlatformTheme</name>
    <message><source>OK</source><translation>OK</translation></message>
    <message><source>Save</source><translation>Spara</translation></message>
    <message><source>Save All</source><translation>Spara alla</translation></message>
    <message><source>Open</source><translation>Öppna</translation></message>
    <message><source>&amp;Yes</source><translation>&amp;Ja</translation></message>
    <message><source>Yes to &amp;All</source><translation>Ja till &amp;alla</translation></message>
    <message><source>&amp;No</source><translation>&amp;Nej</translation></message>
    <message><source>N&amp;o to All</source><translation>N&amp;ej till alla</translation></message>
    <message><source>Abort</source><translation>Avbryt</translation></message>
    <message><source>Retry</source><translation>Försök igen</translation></message>
    <message><source>Ignore</source><translation>Ignorera</translation></message>
    <message><source>Close</source><translation>Stäng</translation></message>
    <message><source>Cancel</source><translation>Avbryt</translation></message>
    <message><source>Discard</source><translation>Spara inte</translation></message>
    <message><source>Help</source><translation>Hjälp</translation></message>
    <message><source>Apply</source><translation>Verkställ</translation></message>
    <message><source>Reset</source><translation>Återställ</translation></message>
    <message><source>Restore Defaults</source><translation>Återställ standardvärden</translation></message>
</context>
<context>
    <name>QFileDialog</name>
    <message><source>Look in:</source><translation>Leta i:</translation></message>
    <message><source>&amp;New Folder</source><translation>&amp;Ny mapp</translation></message>
    <message><source>New Folder</source><translation>Ny mapp</translation></message>
    <message><source>Create a New Folder</source><translation>Skapa en ny mapp</translation></message>
    <message><source>Create New Folder</source><translation>Skapa ny mapp</translation></message>
    <message><source>Go back</source><translation>Gå tillbaka</translation></message>
    <message><source>Go forward</source><translation>Gå framåt</translation></message>
    <message><source>Go to the parent directory</source><translation>Gå till mappen ovanför</translation></message>
    <message><source>Parent Directory</source><translation>Mappen ovanför</translation></message>
    <message><source>Change to list view mode</source><translation>Visa som lista</translation></message>
    <message><source>Change to detail view mode</source><translation>Visa med detaljer</translation></message>
    <message><source>List View</source><translation>Lista</translation></message>
    <message><source>Detail View</source><translation>Detaljer</translation></message>
    <message><source>Files</source><translation>Filer</translation></message>
    <message><source>Sidebar</source><translation>Sidopanel</translation></message>
    <message><source>List of places and bookmarks</source><translation>Platser och bokmärken</translation></message>
    <message><source>Recent Places</source><translation>Senaste platser</translation></message>
    <message><source>Show </source><translation>Visa </translation></message>
    <message><source>Directory:</source><translation>Mapp:</translation></message>
    <message><source>Directories</source><translation>Mappar</translation></message>
    <message><source>Find Directory</source><translation>Välj mapp</translation></message>
    <message><source>%1 already exists.
Do you want to replace it?</source><translation>%1 finns redan.
Vill du ersätta den?</translation></message>
    <message><source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source><translation>&quot;%1&quot; är skrivskyddad.
Vill du ta bort den ändå?</translation></message>
    <message><source>Delete</source><translation>Ta bort</translation></message>
    <message><source>Remove</source><translation>Ta bort</translation></message>
    <message><source>Are you sure you want to delete &apos;%1&apos;?</source><translation>Vill du verkligen ta bort &quot;%1&quot;?</translation></message>
    <message><source>Could not delete directory.</source><translation>Mappen kunde inte tas bort.</translation></message>
    <message><source>%1
Directory not found.
Please verify the correct directory name was given.</source><translation>%1
Mappen hittades inte.
Kontrollera att mappens namn är rätt.</translation></message>
    <message><source>%1
File not found.
Please verify the correct file name was given.</source><translation>%1
Filen hittades inte.
Kontrollera att filens namn är rätt.</translation></message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message><source>Computer</source><translation>Dator</translation></message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message><source>Drive</source><translation>Enhet</translation></message>
    <message><source>Folder</source><comment>All other platforms</comment><translation>Mapp</translation></message>
    <message><source>Shortcut</source><comment>All other platforms</comment><translation>Genväg</translation></message>
    <message><source>Unknown</source><translation>Okänd</translation></message>
</context>
<context>
    <name>QMessageBox</name>
    <message><source>Hide Details...</source><translation>Dölj detaljer...</translation></message>
</context>
</TS>
