import QtQuick
import Farline.Window

// The header of a section of a plain list: its letter on a grey-blue band across the list.
Rectangle {
    id: header
    required property string section
    width: ListView.view ? ListView.view.width : 0
    height: 22
    gradient: Gradient {
        GradientStop { position: 0; color: "#a5b1c0" }
        GradientStop { position: 1; color: "#b8c2cf" }
    }
    Text {
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        text: header.section
        color: "white"
        font.family: Theme.font
        font.pixelSize: 17
        font.bold: true
        style: Text.Raised
        styleColor: "#60000000"
    }
}
