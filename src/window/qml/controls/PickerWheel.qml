pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// A picker wheel of one component: the names of a model's rows turning under a selection
// indicator. It tells the row it comes to rest on; a tapped row turns to the indicator.
Rectangle {
    id: picker

    property var model
    property int selectedRow: 0
    signal rowSelected(int row)

    readonly property int rowHeight: Theme.rowHeight
    color: Theme.wheelFrame

    onSelectedRowChanged: if (wheel.currentIndex !== selectedRow) wheel.currentIndex = selectedRow
    onModelChanged: wheel.currentIndex = selectedRow

    Rectangle {
        id: drum
        anchors.fill: parent
        anchors.margins: 8
        radius: 4
        clip: true
        color: Theme.wheelDrum

        ListView {
            id: wheel
            anchors.fill: parent
            model: picker.model
            // The rows come anew when the list is widened: the wheel stays on the chosen one.
            onCountChanged: currentIndex = picker.selectedRow
            preferredHighlightBegin: height / 2 - picker.rowHeight / 2
            preferredHighlightEnd: height / 2 + picker.rowHeight / 2
            highlightRangeMode: ListView.StrictlyEnforceRange
            highlightMoveDuration: Theme.moveMs
            snapMode: ListView.SnapToItem
            onMovementEnded: picker.rowSelected(currentIndex)
            delegate: Item {
                id: row
                required property string name
                required property int index
                width: wheel.width
                height: picker.rowHeight
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    x: 16
                    width: parent.width - 32
                    elide: Text.ElideRight
                    text: row.name
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: Theme.titleSize
                    font.bold: true
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        wheel.currentIndex = row.index
                        picker.rowSelected(row.index)
                    }
                }
                Accessible.role: Accessible.ListItem
                Accessible.name: name
                Accessible.selectable: true
                Accessible.selected: wheel.currentIndex === index
                Accessible.onPressAction: {
                    wheel.currentIndex = index
                    picker.rowSelected(index)
                }
            }
        }
    }

    // The drum's curve: rows darken towards its edges.
    Rectangle {
        anchors.fill: drum
        radius: drum.radius
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.wheelEdgeShade }
            GradientStop { position: 0.22; color: Theme.wheelClear }
            GradientStop { position: 0.78; color: Theme.wheelClear }
            GradientStop { position: 1; color: Theme.wheelEdgeShade }
        }
    }

    // The selection indicator across the middle of the picker.
    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        x: 4
        width: parent.width - 8
        height: picker.rowHeight
        radius: 3
        border.color: Theme.wheelIndicatorBorder
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.wheelIndicatorTop }
            GradientStop { position: 0.5; color: Theme.wheelIndicatorMiddle }
            GradientStop { position: 1; color: Theme.wheelIndicatorBottom }
        }
    }

    Accessible.role: Accessible.List
    Accessible.name: "SIM country"
}
