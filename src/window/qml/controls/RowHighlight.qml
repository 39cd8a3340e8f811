import QtQuick
import Farline.Window

// The blue of a tapped row.
Rectangle {
    gradient: Gradient {
        GradientStop { position: 0; color: Theme.selectionTop }
        GradientStop { position: 1; color: Theme.selectionBottom }
    }
}
