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
        border.color: "#1f2226"
        gradient: fill
    }

    Rectangle {
        id: body
        anchors.fill: parent
        anchors.leftMargin: button.back ? 11 : 0
        radius: 5
        border.color: "#1f2226"
        gradient: fill
    }

    Gradient {
        id: fill
        GradientStop { position: 0; color: area.pressed ? "#2a2d31" : (button.done ? "#5c8fe8" : "#6c7178") }
        GradientStop { position: 0.5; color: area.pressed ? "#1c1e21" : (button.done ? "#2f66d6" : "#3b3f45") }
        GradientStop { position: 1; color: area.pressed ? "#15171a" : (button.done ? "#2556c4" : "#2a2d31") }
    }

    Text {
        id: label
        anchors.centerIn: body
        anchors.horizontalCenterOffset: button.back ? -3 : 0
        text: button.plus ? "+" : button.text
        color: "white"
        font.family: Theme.font
        font.pixelSize: button.plus ? 24 : 12
        font.bold: true
        style: Text.Raised
        styleColor: "#40000000"
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
