import QtQuick
import Farline.Window

// One of the keypad's twelve keys. A touch goes to the keypad's controller at once; its release
// goes as inside or outside the key, wherever the finger slid meanwhile.
Item {
    id: key

    property int code
    property string label
    property string letters
    property string spokenName: label
    default property alias glyph: face.data

    Rectangle {
        id: face
        anchors.fill: parent
        anchors.margins: 1
        radius: 6
        border.color: Theme.keyBorder
        gradient: Gradient {
            GradientStop { position: 0; color: area.pressed ? Theme.keyPressedTop : Theme.keyTop }
            GradientStop { position: 1; color: area.pressed ? Theme.keyPressedBottom : Theme.keyBottom }
        }

        Column {
            anchors.centerIn: parent
            visible: key.label !== ""
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: key.label
                color: Theme.textOnDark
                font.family: Theme.font
                font.pixelSize: 32
                style: Text.Raised
                styleColor: Theme.raisedShadow
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: key.letters
                visible: key.letters !== ""
                color: Theme.keyLetters
                font.family: Theme.font
                font.pixelSize: 10
                font.bold: true
            }
        }
    }

    function inside(mouse) {
        return mouse.x >= 0 && mouse.y >= 0 && mouse.x < width && mouse.y < height
    }

    function release(isInside) {
        if (code === Keypad.Button0)
            Keypad.touchButton0Up(code)
        else if (code === Keypad.ButtonBackspace) {
            if (isInside)
                Keypad.touchButtonBackspaceUpInside(code)
            else
                Keypad.touchButtonBackspaceUpOutside(code)
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        onPressed: Keypad.changeGreeting(key.code)
        onReleased: (mouse) => key.release(key.inside(mouse))
        onCanceled: key.release(false)
    }

    Accessible.role: Accessible.Button
    Accessible.name: spokenName
    Accessible.onPressAction: {
        Keypad.changeGreeting(code)
        release(true)
    }
}
