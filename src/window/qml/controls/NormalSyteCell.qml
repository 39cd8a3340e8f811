import QtQuick
import Farline.Window

// A favourite's row: its name, and on the right the kind of number in a side label sized to its
// text. The name gives way to the side label (its width and 20 more); while the row asks
// whether to delete, the side label hides and the name keeps the width the row leaves it.
PlainRow {
    id: cell

    property string text
    property string sideText
    property bool editing: false
    property bool showingDeleteConfirmation: false
    signal deleteControlTapped()
    signal deleteTapped()
    // The finger on the move handle, in the row's coordinates (editing only).
    signal handlePressed(real y)
    signal handleMoved(real y)
    signal handleReleased()

    // What editing takes of the row: the delete control on the left, the move handle or the
    // delete button on the right.
    readonly property real leftControls: editing ? 32 : 0
    readonly property real rightControls: showingDeleteConfirmation ? 74 : (editing ? 38 : 0)
    readonly property real sideTextWidth: sideText === "" ? 0 : Math.min(80, Math.ceil(metrics.advanceWidth))
    // The width the row's own text label gets before it gives way to the side label.
    readonly property real plainTextWidth: width - leftControls - rightControls - 20
    property alias textLabel: label
    property alias sideLabel: side

    TextMetrics {
        id: metrics
        font: side.font
        text: cell.sideText
    }

    Text {
        id: label
        x: cell.leftControls + 10
        height: cell.height
        width: cell.plainTextWidth - (cell.showingDeleteConfirmation ? 0 : Math.floor(side.width) + 20)
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: cell.text
        color: cell.highlighted ? Theme.highlightedText : Theme.text
        font.family: Theme.font
        font.pixelSize: Theme.titleSize
        font.bold: true
    }

    // Its right edge 10 from the row's, or from the move handle's in editing mode.
    Text {
        id: side
        visible: !cell.showingDeleteConfirmation
        x: cell.width - (cell.editing ? 38 : 0) - 25 - cell.sideTextWidth
        y: 5
        width: cell.sideTextWidth + 15
        height: cell.height - 10
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: cell.sideText
        color: cell.highlighted ? Theme.highlightedText : Theme.greyText
        font.family: Theme.font
        font.pixelSize: Theme.valueSize
        font.bold: true
    }

    // Editing: the red delete control, turned while the row asks.
    Item {
        visible: cell.editing
        x: 6
        width: 24
        height: cell.height
        Rectangle {
            anchors.centerIn: parent
            width: 20
            height: 20
            radius: 10
            color: Theme.deleteControl
            border.color: Theme.deleteControlBorder
            Rectangle {
                anchors.centerIn: parent
                width: 11
                height: 3
                color: Theme.textOnDark
                rotation: cell.showingDeleteConfirmation ? 90 : 0
            }
        }
        MouseArea {
            anchors.fill: parent
            anchors.margins: -6
            onClicked: cell.deleteControlTapped()
        }
        Accessible.role: Accessible.Button
        Accessible.name: "Delete " + cell.text.trim()
        Accessible.onPressAction: cell.deleteControlTapped()
    }

    // Editing: the handle to move the row by.
    Item {
        visible: cell.editing && !cell.showingDeleteConfirmation
        x: cell.width - 38
        width: 38
        height: cell.height
        Column {
            anchors.centerIn: parent
            spacing: 3
            Repeater {
                model: 3
                Rectangle { width: 20; height: 2; color: Theme.moveHandle }
            }
        }
        MouseArea {
            anchors.fill: parent
            preventStealing: true
            onPressed: (mouse) => cell.handlePressed(mapToItem(cell, mouse.x, mouse.y).y)
            onPositionChanged: (mouse) => cell.handleMoved(mapToItem(cell, mouse.x, mouse.y).y)
            onReleased: cell.handleReleased()
            onCanceled: cell.handleReleased()
        }
        Accessible.role: Accessible.Button
        Accessible.name: "Move " + cell.text.trim()
    }

    // The question whether to delete, at the right of the row.
    Rectangle {
        visible: cell.showingDeleteConfirmation
        x: cell.width - 70
        anchors.verticalCenter: parent.verticalCenter
        width: 62
        height: 30
        radius: 5
        border.color: Theme.deleteButtonBorder
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.deleteButtonTop }
            GradientStop { position: 0.5; color: Theme.deleteButtonMiddle }
            GradientStop { position: 1; color: Theme.deleteButtonBottom }
        }
        Text {
            anchors.centerIn: parent
            text: "Delete"
            color: Theme.textOnDark
            font.family: Theme.font
            font.pixelSize: Theme.noteSize
            font.bold: true
        }
        MouseArea {
            anchors.fill: parent
            onClicked: cell.deleteTapped()
        }
        Accessible.role: Accessible.Button
        Accessible.name: "Delete"
        Accessible.onPressAction: cell.deleteTapped()
    }

    Accessible.name: text.trim()
    Accessible.description: sideText
}
