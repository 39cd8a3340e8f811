import QtQuick
import Farline.Window

// "Use for": the two usage modes, the chosen one checked.
Page {
    id: view
    property QtObject chooser
    title: chooser ? chooser.title : ""

    GroupedTable {
        anchors.fill: parent
        Column {
            width: parent.width
            Repeater {
                model: view.chooser ? view.chooser.rows : []
                delegate: CheckRow {
                    required property string modelData
                    required property int index
                    width: parent.width
                    height: 44
                    first: index === 0
                    last: index === 1
                    text: modelData
                    checked: view.chooser !== null && view.chooser.checkedIndex === index
                    highlighted: view.chooser !== null && view.chooser.selectedRow === index
                    onTapped: view.chooser.didSelectRow(index)
                }
            }
        }
    }
}
