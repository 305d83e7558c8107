// GNOME Shell 45 and later.
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

export default class ProbeExtension extends Extension {
    enable() {
        imports.searchPath.unshift(this.path);
        try {
            this._probe = new imports.probe.Probe(Main);
        } finally {
            imports.searchPath.shift();
        }
        this._probe.enable();
    }

    disable() {
        this._probe.disable();
    }
}
