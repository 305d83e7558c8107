// GNOME Shell 43 and 44.
/* exported init */
function init(extension) {
    const probe = new extension.imports.probe.Probe(imports.ui.main);
    return {enable: () => probe.enable(), disable: () => probe.disable()};
}
