import QtQuick
import Farline.Window

// The header of a section of a plain list: its letter on a grey-blue band across the list.
Rectangle {
    id: header
    required property string section
    width: ListView.view ? ListView.view.width : 0
    height: 22
    gradient: Gradient {
        GradientStop { position: 0; color: Theme.sectionBandTop }
        GradientStop { position: 1; color: Theme.sectionBandBottom }
    }
    Text {
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        text: header.section
        color: Theme.textOnDark
        font.family: Theme.font
        font.pixelSize: Theme.rowTextSize
        font.bold: true
        style: Text.Raised
        styleColor: Theme.softRaisedShadow
    }
}
