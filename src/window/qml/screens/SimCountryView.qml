pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// "SIM country": every country, the stored one first and checked. Done stores the tapped one.
Page {
    id: view
    required property SelectCountryViewController screen
    title: screen.title
    leftButton: "Cancel"
    rightButton: "Done"
    rightDone: true
    onLeftTapped: screen.CancelAction()
    onRightTapped: screen.DoneAction()

    Component.onCompleted: screen.loadView()

    Rectangle {
        anchors.fill: parent
        color: Theme.tableBackground

        ListView {
            id: countries
            anchors.fill: parent
            model: view.screen.countries
            boundsBehavior: Flickable.StopAtBounds
            // The header's room above the rows, and the room under them. (A ListView of Qt 6.4 makes
            // no header or footer of a file whose components are bound: the header is drawn below.)
            topMargin: 46
            bottomMargin: 20
            delegate: CheckRow {
                id: row
                required property string name
                required property int index
                width: countries.width
                height: Theme.rowHeight
                first: index === 0
                last: index === countries.count - 1
                text: name
                checked: view.screen.checkedIndex === index
                highlighted: view.screen.highlightedRow === index
                onTapped: view.screen.didSelectRow(index)
                readonly property bool inThePhone: view.screen.modemIndex === index
                Accessible.description: inThePhone ? "the SIM card in this phone" : ""

                // The country of the SIM card in the phone, when it is not the stored one.
                Rectangle {
                    visible: row.inThePhone
                    anchors.verticalCenter: parent.verticalCenter
                    x: row.width - width - 44
                    width: simTag.implicitWidth + 12
                    height: 20
                    radius: 10
                    color: row.highlighted ? Theme.highlightedText : Theme.accent
                    Text {
                        id: simTag
                        anchors.centerIn: parent
                        text: "SIM card"
                        color: row.highlighted ? Theme.accent : Theme.highlightedText
                        font.family: Theme.font
                        font.pixelSize: 11
                        font.bold: true
                    }
                }
            }
        }

        // The list's header, moving with its rows: its last line 8 above the first row.
        Text {
            x: Theme.groupMargin
            y: -countries.contentY - height - 8
            width: parent.width - 2 * Theme.groupMargin
            text: view.screen.headerTitle
            wrapMode: Text.WordWrap
            color: Theme.sectionHeader
            font.family: Theme.font
            font.pixelSize: Theme.valueSize
            font.bold: true
            style: Text.Raised
            styleColor: Theme.engravedShadow
        }
    }
}
