import QtQuick
import Farline.Window

// The first start: the SIM country chosen on a wheel, first among the countries with access
// numbers and, on request, among all; "Start" once a country is chosen.
Page {
    id: view
    required property StartScreenController screen
    title: screen.title
    rightButton: "Start"
    rightEnabled: screen.startEnabled
    onRightTapped: screen.startApplication()

    Rectangle {
        anchors.fill: parent
        color: Theme.tableBackground

        Column {
            x: Theme.groupMargin
            y: 18
            width: parent.width - 2 * Theme.groupMargin
            spacing: 8
            Text {
                width: parent.width
                text: "Welcome to Farline"
                color: Theme.sectionHeader
                font.family: Theme.font
                font.pixelSize: Theme.titleSize
                font.bold: true
                style: Text.Raised
                styleColor: Theme.engravedShadow
            }
            Text {
                width: parent.width
                wrapMode: Text.WordWrap
                text: "Choose the country of your SIM card. Calls abroad then go through a local access number of that country."
                color: Theme.sectionHeader
                font.family: Theme.font
                font.pixelSize: Theme.noteSize
            }
        }

        PickerWheel {
            id: picker
            y: 160 - Theme.barHeight
            width: parent.width
            height: 216
            model: view.screen.countries
            selectedRow: view.screen.selectedRow
            onRowSelected: (row) => view.screen.didSelectRow(row)
        }

        Item {
            anchors.top: picker.bottom
            anchors.topMargin: 10
            anchors.horizontalCenter: parent.horizontalCenter
            width: 200
            height: 36
            Rectangle {
                anchors.fill: parent
                radius: 8
                border.color: Theme.cellBorder
                color: more.pressed ? Theme.selectionTop : Theme.cellBackground
            }
            Text {
                anchors.centerIn: parent
                text: "More countries"
                color: more.pressed ? Theme.highlightedText : Theme.accent
                font.family: Theme.font
                font.pixelSize: Theme.bodySize
                font.bold: true
            }
            MouseArea {
                id: more
                anchors.fill: parent
                onClicked: view.screen.moreCountries()
            }
            Accessible.role: Accessible.Button
            Accessible.name: "More countries"
            Accessible.onPressAction: view.screen.moreCountries()
        }
    }
}
