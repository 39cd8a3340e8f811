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
        color: Theme.alertDim
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
        border.color: Theme.alertBorder
        border.width: 2
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.alertTop }
            GradientStop { position: 0.3; color: Theme.alertMiddle }
            GradientStop { position: 1; color: Theme.alertBottom }
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
                color: Theme.textOnDark
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
                color: Theme.textOnDark
                font.family: Theme.font
                font.pixelSize: Theme.valueSize
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
                            border.color: Theme.alertButtonBorder
                            gradient: Gradient {
                                GradientStop { position: 0; color: tap.pressed ? Theme.alertButtonPressedTop : Theme.alertButtonTop }
                                GradientStop { position: 0.5; color: tap.pressed ? Theme.alertButtonPressedUpperMiddle : Theme.alertButtonUpperMiddle }
                                GradientStop { position: 0.51; color: tap.pressed ? Theme.alertButtonPressedLowerMiddle : Theme.alertButtonLowerMiddle }
                                GradientStop { position: 1; color: tap.pressed ? Theme.alertButtonPressedBottom : Theme.alertButtonBottom }
                            }
                        }
                        Text {
                            anchors.centerIn: parent
                            text: button.modelData
                            color: Theme.textOnDark
                            font.family: Theme.font
                            font.pixelSize: Theme.rowTextSize
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
            GradientStop { position: 0; color: Theme.sheetTop }
            GradientStop { position: 1; color: Theme.sheetBottom }
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
                        border.color: Theme.sheetButtonBorder
                        gradient: Gradient {
                            GradientStop { position: 0; color: choice.destructive ? Theme.sheetDestructiveTop : (choice.cancel ? Theme.sheetCancelTop : Theme.sheetButtonTop) }
                            GradientStop { position: 0.5; color: choice.destructive ? Theme.sheetDestructiveMiddle : (choice.cancel ? Theme.sheetCancelMiddle : Theme.sheetButtonMiddle) }
                            GradientStop { position: 1; color: choice.destructive ? Theme.sheetDestructiveBottom : (choice.cancel ? Theme.sheetCancelBottom : Theme.sheetButtonBottom) }
                        }
                        opacity: press.pressed ? 0.7 : 1
                        Text {
                            anchors.centerIn: parent
                            text: choice.modelData
                            color: choice.destructive || choice.cancel ? Theme.textOnDark : Theme.text
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
