pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The access number row: its title, the access number in use, and the two-segment switcher
// that steps back and forward through the SIM country's numbers. Each tap of a segment is sent,
// also a second one on the same segment: the switcher keeps no selection.
TableCell {
    id: cell
    property string title
    Accessible.name: title

    Text {
        id: titleLabel
        x: cell.inset + 12
        y: 12
        text: cell.title
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: Theme.rowTextSize
        font.bold: true
    }
    Text {
        id: numberLabel
        x: titleLabel.x
        anchors.top: titleLabel.bottom
        anchors.topMargin: 8
        width: cell.width - x - cell.inset - 12
        elide: Text.ElideRight
        text: Settings.lanNumberText
        color: Theme.accent
        font.family: Theme.font
        font.pixelSize: Theme.valueSize
        font.bold: true
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Rectangle {
        id: switcher
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        width: 144
        height: 30
        radius: 6
        border.color: Theme.switcherBorder
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.switcherTop }
            GradientStop { position: 1; color: Theme.switcherBottom }
        }

        Repeater {
            model: [
                { segment: 0, name: "Previous access number", enabled: Settings.previousSegmentEnabled },
                { segment: 1, name: "Next access number", enabled: Settings.nextSegmentEnabled },
            ]
            delegate: Item {
                id: segment
                required property var modelData
                readonly property bool forward: modelData.segment === 1
                x: forward ? switcher.width / 2 : 0
                width: switcher.width / 2
                height: switcher.height
                enabled: modelData.enabled

                // Lit while pressed: the segment's half of the rounded control.
                Item {
                    anchors.fill: parent
                    anchors.margins: 1
                    visible: press.pressed
                    clip: true
                    Rectangle {
                        x: segment.forward ? -8 : 0
                        width: parent.width + 8
                        height: parent.height
                        radius: 5
                        gradient: Gradient {
                            GradientStop { position: 0; color: Theme.switcherPressedTop }
                            GradientStop { position: 1; color: Theme.switcherPressedBottom }
                        }
                    }
                }
                Canvas {
                    anchors.centerIn: parent
                    width: 12
                    height: 14
                    property color colour: !segment.enabled ? Theme.switcherArrowDisabled : (press.pressed ? Theme.textOnDark : Theme.switcherArrow)
                    onColourChanged: requestPaint()
                    onPaint: {
                        const c = getContext("2d")
                        c.reset()
                        c.fillStyle = colour
                        c.beginPath()
                        if (segment.forward) { c.moveTo(1, 0); c.lineTo(11, 7); c.lineTo(1, 14) }
                        else { c.moveTo(11, 0); c.lineTo(1, 7); c.lineTo(11, 14) }
                        c.closePath()
                        c.fill()
                    }
                }
                MouseArea {
                    id: press
                    anchors.fill: parent
                    onClicked: Settings.lanSwitcherAction(segment.modelData.segment)
                }
                Accessible.role: Accessible.Button
                Accessible.name: modelData.name
                Accessible.onPressAction: if (enabled) Settings.lanSwitcherAction(modelData.segment)
            }
        }
        Rectangle {
            x: switcher.width / 2
            width: 1
            height: switcher.height
            color: Theme.switcherBorder
        }
    }
}
