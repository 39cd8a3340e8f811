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
        color: "black"
        font.family: Theme.font
        font.pixelSize: 17
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
        color: "#385487"
        font.family: Theme.font
        font.pixelSize: 16
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
        border.color: "#7b8189"
        gradient: Gradient {
            GradientStop { position: 0; color: "#fdfdfd" }
            GradientStop { position: 1; color: "#d6dae0" }
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
                            GradientStop { position: 0; color: "#5b8fe0" }
                            GradientStop { position: 1; color: "#2d62c5" }
                        }
                    }
                }
                Canvas {
                    anchors.centerIn: parent
                    width: 12
                    height: 14
                    property color colour: !segment.enabled ? "#b4b9c0" : (press.pressed ? "white" : "#3d4450")
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
            color: "#7b8189"
        }
    }
}
