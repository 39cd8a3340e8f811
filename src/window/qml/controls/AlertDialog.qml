pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The alert in front: its title, message and buttons over a dimmed window, or an action sheet
// rising from the bottom; one at a time, the next after the answer.
Item {
    id: overlay
    visible: Alerts.showing
    Accessible.role: Accessible.AlertMessage
    Accessible.name: Alerts.title
    Accessible.ignored: !visible

    Rectangle {
        anchors.fill: parent
        color: "#80000000"
        MouseArea {
            anchors.fill: parent // nothing behind the alert takes a tap
        }
    }

    Rectangle {
        id: box
        visible: !Alerts.actionSheet
        anchors.centerIn: parent
        width: Math.min(284, parent.width - 24)
        height: content.height + 32
        radius: 10
        border.color: "#d0d8e8"
        border.width: 2
        gradient: Gradient {
            GradientStop { position: 0; color: "#3c5a94" }
            GradientStop { position: 0.3; color: "#1f3a70" }
            GradientStop { position: 1; color: "#142a55" }
        }

        Column {
            id: content
            x: 16
            y: 16
            width: box.width - 32
            spacing: 10
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: Alerts.title
                color: "white"
                font.family: Theme.font
                font.pixelSize: 18
                font.bold: true
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: Alerts.message
                color: "white"
                font.family: Theme.font
                font.pixelSize: 16
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Item { width: 1; height: 2 }
            Flow {
                id: buttons
                width: parent.width
                spacing: 8
                readonly property bool sideBySide: Alerts.buttons.length === 2
                Repeater {
                    model: Alerts.buttons
                    delegate: Item {
                        id: button
                        required property string modelData
                        required property int index
                        width: buttons.sideBySide ? (buttons.width - buttons.spacing) / 2 : buttons.width
                        height: 42
                        Rectangle {
                            anchors.fill: parent
                            radius: 7
                            border.color: "#0e1d3c"
                            gradient: Gradient {
                                GradientStop { position: 0; color: tap.pressed ? "#1b2f59" : "#8096c0" }
                                GradientStop { position: 0.5; color: tap.pressed ? "#15264a" : "#4a6498" }
                                GradientStop { position: 0.51; color: tap.pressed ? "#101e3d" : "#3a5487" }
                                GradientStop { position: 1; color: tap.pressed ? "#0c1830" : "#314a7c" }
                            }
                        }
                        Text {
                            anchors.centerIn: parent
                            text: button.modelData
                            color: "white"
                            font.family: Theme.font
                            font.pixelSize: 17
                            font.bold: true
                        }
                        MouseArea {
                            id: tap
                            anchors.fill: parent
                            onClicked: Alerts.answer(button.index)
                        }
                        Accessible.role: Accessible.Button
                        Accessible.name: modelData
                        Accessible.onPressAction: Alerts.answer(index)
                    }
                }
            }
        }
    }

    // The action sheet: its buttons under each other, the destructive one red, the cancel one
    // dark and set apart.
    Rectangle {
        id: sheet
        visible: Alerts.actionSheet
        anchors.bottom: parent.bottom
        width: parent.width
        height: sheetButtons.height + 36
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(0.25, 0.28, 0.33, 0.92) }
            GradientStop { position: 1; color: Qt.rgba(0.08, 0.09, 0.11, 0.95) }
        }
        Column {
            id: sheetButtons
            x: 20
            y: 18
            width: sheet.width - 40
            spacing: 10
            Repeater {
                model: Alerts.actionSheet ? Alerts.buttons : []
                delegate: Item {
                    id: choice
                    required property string modelData
                    required property int index
                    readonly property bool destructive: index === Alerts.destructiveButton
                    readonly property bool cancel: index === Alerts.cancelButton
                    width: sheetButtons.width
                    height: cancel ? 56 : 46
                    Rectangle {
                        anchors.fill: parent
                        anchors.topMargin: choice.cancel ? 10 : 0
                        radius: 9
                        border.color: "#101214"
                        gradient: Gradient {
                            GradientStop { position: 0; color: choice.destructive ? "#f07a72" : (choice.cancel ? "#5f646b" : "#f4f4f4") }
                            GradientStop { position: 0.5; color: choice.destructive ? "#d8322a" : (choice.cancel ? "#3a3e44" : "#d9dbde") }
                            GradientStop { position: 1; color: choice.destructive ? "#bb2019" : (choice.cancel ? "#2b2e33" : "#c8cbcf") }
                        }
                        opacity: press.pressed ? 0.7 : 1
                        Text {
                            anchors.centerIn: parent
                            text: choice.modelData
                            color: choice.destructive || choice.cancel ? "white" : "black"
                            font.family: Theme.font
                            font.pixelSize: 19
                            font.bold: true
                        }
                    }
                    MouseArea {
                        id: press
                        anchors.fill: parent
                        onClicked: Alerts.answer(choice.index)
                    }
                    Accessible.role: Accessible.Button
                    Accessible.name: modelData
                    Accessible.onPressAction: Alerts.answer(index)
                }
            }
        }
    }
}
