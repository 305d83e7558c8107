// The entry point for GNOME Shell 45 and later, which load extensions as
// ES modules. The work is done by tapfillShell.js, shared with the entry
// point for GNOME 43 and 44 in extension/__init__.js.

import * as Config from 'resource:///org/gnome/shell/misc/config.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as PanelMenu from 'resource:///org/gnome/shell/ui/panelMenu.js';
import * as PopupMenu from 'resource:///org/gnome/shell/ui/popupMenu.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

// The shared body is a plain script, as GNOME 43 needs it; the script
// importer still reads it here.
function loadBody(folder) {
    imports.searchPath.unshift(folder);
    try {
        return imports.tapfillShell;
    } finally {
        imports.searchPath.shift();
    }
}

export default class TapfillExtension extends Extension {
    enable() {
        const body = loadBody(this.path);
        this._service = new body.ShellService({Main, PanelMenu, PopupMenu, shellVersion: Config.PACKAGE_VERSION});
        this._service.enable();
    }

    disable() {
        this._service?.disable();
        this._service = null;
    }
}
