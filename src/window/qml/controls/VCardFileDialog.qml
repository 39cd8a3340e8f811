import QtQuick
import QtQuick.Dialogs
import Farline.Window

// The vCard files to import, several at once, handed to the import. Made by a Loader when it is
// wanted, so that the window's start does not load the dialogs module; it opens as it is made.
FileDialog {
    title: "Import vCard file…"
    fileMode: FileDialog.OpenFiles
    nameFilters: ["vCard files (*.vcf *.vcard)", "All files (*)"]
    onAccepted: SystemContacts.importFiles(selectedFiles)
    Component.onCompleted: open()
}
