
export default class ZorritPointerExtension extends Extension {
    enable() {
        this._reporter = new PointerReporter();
        this._reporter.enable();
    }

    disable() {
        this._reporter.disable();
        this._reporter = null;
    }
}
