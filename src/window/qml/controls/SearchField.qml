import QtQuick
import Farline.Window

// The search bar over a list: a rounded field on a tinted bar, its text searched as it is typed.
Rectangle {
    id: bar
    property alias text: input.text
    property string placeholder: "Search"

    height: Theme.barHeight
    gradient: Gradient {
        GradientStop { position: 0; color: Theme.searchBarTop }
        GradientStop { position: 1; color: Theme.searchBarBottom }
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: 7
        radius: height / 2
        color: Theme.searchFieldBackground
        border.color: Theme.searchFieldBorder

        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 14
            visible: input.text === "" && !input.activeFocus
            text: bar.placeholder
            color: Theme.placeholderText
            font.family: Theme.font
            font.pixelSize: Theme.bodySize
        }
        TextInput {
            id: input
            anchors.verticalCenter: parent.verticalCenter
            x: 14
            width: parent.width - 28 - (clear.visible ? 20 : 0)
            clip: true
            color: Theme.text
            selectByMouse: true
            font.family: Theme.font
            font.pixelSize: Theme.bodySize
            inputMethodHints: Qt.ImhNoPredictiveText
            Accessible.role: Accessible.EditableText
            Accessible.name: bar.placeholder
        }
        // Empties the field.
        Rectangle {
            id: clear
            visible: input.text !== ""
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            anchors.rightMargin: 7
            width: 17
            height: 17
            radius: 8.5
            color: Theme.clearButton
            Text {
                anchors.centerIn: parent
                text: "×"
                color: Theme.textOnDark
                font.pixelSize: Theme.noteSize
                font.bold: true
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: -6
                onClicked: input.text = ""
            }
            Accessible.role: Accessible.Button
            Accessible.name: "Clear search"
            Accessible.onPressAction: input.text = ""
        }
    }
}
