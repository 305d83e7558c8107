// The entry point for GNOME Shell 43 and 44, which load extensions as plain
// scripts: their importer takes this folder's __init__.js before the
// ES module extension.js beside it, which is for GNOME 45 and later.
/* exported init */

class TapfillExtension {
    constructor(extension) {
        this._extension = extension;
    }

    enable() {
        this._service = new this._extension.imports.tapfillShell.ShellService({
            Main: imports.ui.main,
            PanelMenu: imports.ui.panelMenu,
            PopupMenu: imports.ui.popupMenu,
            shellVersion: imports.misc.config.PACKAGE_VERSION,
        });
        this._service.enable();
    }

    disable() {
        if (this._service)
            this._service.disable();
        this._service = null;
    }
}

function init(extension) {
    return new TapfillExtension(extension);
}
