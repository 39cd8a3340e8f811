pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// "Use for": the two usage modes, the chosen one checked.
Page {
    id: view
    required property UseFarlineFor chooser
    title: chooser.title

    GroupedTable {
        anchors.fill: parent
        Column {
            width: parent.width
            Repeater {
                model: view.chooser.rows
                delegate: CheckRow {
                    required property string modelData
                    required property int index
                    width: parent.width
                    height: Theme.rowHeight
                    first: index === 0
                    last: index === 1
                    text: modelData
                    checked: view.chooser.checkedIndex === index
                    highlighted: view.chooser.selectedRow === index
                    onTapped: view.chooser.didSelectRow(index)
                }
            }
        }
    }
}
