
let reporter = null;

function init() {
}

function enable() {
    reporter = new PointerReporter();
    reporter.enable();
}

function disable() {
    reporter.disable();
    reporter = null;
}
