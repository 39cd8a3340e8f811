import QtQuick
import Farline.Window

// A button of the in-call screen: a key of its keypad (the character and the letters under it),
// a toggle that shows when it is on (speaker, mute), or the red "Hang up".
Item {
    id: button

    property string label
    property string letters
    property string spokenName: label
    property bool checkable: false
    property bool checked: false
    property bool destructive: false
    property int labelSize: 28

    signal tapped()

    opacity: enabled ? 1 : 0.4

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        radius: 8
        border.color: button.destructive ? Theme.hangUpBorder : Theme.keyBorder
        gradient: Gradient {
            GradientStop {
                position: 0
                color: button.destructive ? (area.pressed ? Theme.hangUpPressedTop : Theme.hangUpTop)
                     : area.pressed ? Theme.keyPressedTop : button.checked ? Theme.toggleOnTop : Theme.keyTop
            }
            GradientStop {
                position: 1
                color: button.destructive ? (area.pressed ? Theme.hangUpPressedBottom : Theme.hangUpBottom)
                     : area.pressed ? Theme.keyPressedBottom : button.checked ? Theme.toggleOnBottom : Theme.keyBottom
            }
        }

        Column {
            anchors.centerIn: parent
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: button.label
                color: button.checked && !area.pressed ? Theme.textOnLight : Theme.textOnDark
                font.family: Theme.font
                font.pixelSize: button.labelSize
                style: Text.Raised
                styleColor: Theme.raisedShadow
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: button.letters
                visible: button.letters !== ""
                color: Theme.keyLetters
                font.family: Theme.font
                font.pixelSize: 10
                font.bold: true
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.tapped()
    }

    Accessible.role: checkable ? Accessible.CheckBox : Accessible.Button
    Accessible.name: spokenName
    Accessible.checkable: checkable
    Accessible.checked: checked
    Accessible.onPressAction: if (enabled) tapped()
    Accessible.onToggleAction: if (enabled) tapped()
}
