import QtQuick
import Farline.Window

// A row of a grouped table: white, in a rounded group, with an optional image, a check mark or
// a disclosure arrow; blue while highlighted. The rows of one group are stacked directly.
Item {
    id: cell

    property bool first: true
    property bool last: true
    property bool highlighted: false
    property string text
    property url image
    property bool disclosure: false
    property bool checked: false
    property color textColor: Theme.text
    property int textSize: Theme.rowTextSize
    default property alias extra: overlay.data
    signal tapped()

    implicitHeight: Theme.rowHeight
    readonly property real inset: 9

    Item {
        anchors.fill: parent
        anchors.leftMargin: cell.inset
        anchors.rightMargin: cell.inset
        clip: true
        Rectangle {
            anchors.fill: parent
            anchors.topMargin: cell.first ? 0 : -12
            anchors.bottomMargin: cell.last ? 0 : -12
            radius: 10
            border.color: Theme.cellBorder
            color: Theme.cellBackground
        }
        Rectangle {
            anchors.fill: parent
            anchors.topMargin: cell.first ? 1 : 0
            anchors.bottomMargin: cell.last ? 1 : 0
            anchors.leftMargin: 1
            anchors.rightMargin: 1
            radius: cell.first || cell.last ? 9 : 0
            visible: cell.highlighted
            gradient: Gradient {
                GradientStop { position: 0; color: Theme.selectionTop }
                GradientStop { position: 1; color: Theme.selectionBottom }
            }
        }
        Rectangle {
            visible: !cell.last
            anchors.bottom: parent.bottom
            x: 1
            width: parent.width - 2
            height: 1
            color: Theme.cellSeparator
        }
    }

    Image {
        id: icon
        x: cell.inset + 8
        anchors.verticalCenter: parent.verticalCenter
        width: 29
        height: 29
        source: cell.image
        visible: source != ""
    }

    Text {
        id: label
        x: icon.visible ? icon.x + icon.width + 10 : cell.inset + 10
        anchors.verticalCenter: parent.verticalCenter
        width: cell.width - x - cell.inset - (cell.disclosure || cell.checked ? 30 : 10)
        elide: Text.ElideRight
        text: cell.text
        color: cell.highlighted ? Theme.highlightedText : cell.textColor
        font.family: Theme.font
        font.pixelSize: cell.textSize
        font.bold: true
    }

    // The disclosure arrow and the check mark.
    Canvas {
        id: accessory
        visible: cell.disclosure || cell.checked
        width: 14
        height: 14
        x: cell.width - cell.inset - width - 10
        anchors.verticalCenter: parent.verticalCenter
        property color colour: cell.highlighted ? Theme.highlightedText : (cell.checked ? Theme.accent : Theme.disclosure)
        property bool check: cell.checked
        onColourChanged: requestPaint()
        onCheckChanged: requestPaint()
        onPaint: {
            const c = getContext("2d")
            c.reset()
            c.strokeStyle = colour
            c.lineWidth = check ? 2.6 : 2.4
            c.lineCap = "round"
            c.lineJoin = "round"
            c.beginPath()
            if (check) {
                c.moveTo(1.5, 7.5); c.lineTo(5.5, 12); c.lineTo(12.5, 2)
            } else {
                c.moveTo(4, 2); c.lineTo(10, 7); c.lineTo(4, 12)
            }
            c.stroke()
        }
    }

    // Below what the row carries, so that its own controls take their taps.
    MouseArea {
        anchors.fill: parent
        onClicked: cell.tapped()
    }

    Item {
        id: overlay
        anchors.fill: parent
    }

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.checkable: checked
    Accessible.checked: checked
    Accessible.onPressAction: tapped()
}
