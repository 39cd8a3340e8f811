import QtQuick
import Farline.Window

// A button of a navigation bar: plain (dark), done (blue) or back (pointed on its left).
Item {
    id: button

    property string text
    property bool done: false
    property bool back: false
    // The system's add button: a plus sign instead of the text, which stays its name.
    property bool plus: false
    signal tapped()

    implicitWidth: plus ? 34 : Math.max(label.implicitWidth + (back ? 22 : 20), 50)
    implicitHeight: 30
    opacity: enabled ? 1 : 0.45

    // The point of the back button: a square turned on its corner, behind the body's left edge.
    Rectangle {
        visible: button.back
        width: 21.2
        height: 21.2
        x: 1
        y: (button.height - height) / 2
        rotation: 45
        transformOrigin: Item.Center
        radius: 3
        border.color: Theme.barButtonBorder
        gradient: fill
    }

    Rectangle {
        id: body
        anchors.fill: parent
        anchors.leftMargin: button.back ? 11 : 0
        radius: 5
        border.color: Theme.barButtonBorder
        gradient: fill
    }

    Gradient {
        id: fill
        GradientStop { position: 0; color: area.pressed ? Theme.barButtonPressedTop : (button.done ? Theme.barButtonDoneTop : Theme.barButtonTop) }
        GradientStop { position: 0.5; color: area.pressed ? Theme.barButtonPressedMiddle : (button.done ? Theme.barButtonDoneMiddle : Theme.barButtonMiddle) }
        GradientStop { position: 1; color: area.pressed ? Theme.barButtonPressedBottom : (button.done ? Theme.barButtonDoneBottom : Theme.barButtonBottom) }
    }

    Text {
        id: label
        anchors.centerIn: body
        anchors.horizontalCenterOffset: button.back ? -3 : 0
        text: button.plus ? "+" : button.text
        color: Theme.textOnDark
        font.family: Theme.font
        font.pixelSize: button.plus ? 24 : Theme.smallSize
        font.bold: true
        style: Text.Raised
        styleColor: Theme.faintRaisedShadow
    }

    MouseArea {
        id: area
        anchors.fill: parent
        anchors.margins: -6
        onClicked: button.tapped()
    }

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.ignored: !visible
    Accessible.onPressAction: if (enabled) tapped()
}
