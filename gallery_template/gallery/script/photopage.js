/* photopage.js: loaded last by every page shown in a photo's section page (the
   title, picture, memo, information and navigation pages and the frame
   fillers). ← → step to the previous and next photo, Home and End to the first
   and last, whichever frame has the focus; the navigation page's スライドショー
   button starts the slide show at its own photo.
   Frames opened from file:// cannot call each other's scripts, so a frame
   hands the key to the navigation frame as a message, and the navigation page
   steps as its own buttons do (clamped to the photos there are).
   vornami-version: @PROJECT_VERSION@ */
(function () {
  var steps = {
    ArrowLeft: "fback", Left: "fback",
    ArrowRight: "fnext", Right: "fnext",
    Home: "ftop", End: "flast"
  };
  var isNavigationPage = typeof window.fnext === "function" &&
      typeof window.currentno === "number";

  /* Runs one of the navigation page's step functions named in steps. */
  function step(name) {
    for (var key in steps) {
      if (steps[key] === name && typeof window[name] === "function") {
        window[name]();
        return;
      }
    }
  }

  /* Keys typed into a text field stay with it. */
  function typing(target) {
    if (!target || !target.tagName) return false;
    if (target.isContentEditable || target.tagName === "TEXTAREA" || target.tagName === "SELECT") {
      return true;
    }
    return target.tagName === "INPUT" && target.type !== "button";
  }

  document.addEventListener("keydown", function (e) {
    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey || typing(e.target)) return;
    if (!steps.hasOwnProperty(e.key)) return;
    var name = steps[e.key];
    if (isNavigationPage) {
      e.preventDefault();
      step(name);
      return;
    }
    var navigation = null;
    try {
      navigation = window.top.frames.action;
    } catch (err) {
      navigation = null;
    }
    if (!navigation || navigation === window) return;  // not shown in a section page
    e.preventDefault();
    navigation.postMessage({ vornamiStep: name }, "*");
  });

  if (!isNavigationPage) return;

  /* A section page just opened has no frame with the focus, and the frameset
     itself runs no script: the navigation frame takes the focus, so the keys
     work at once, also on the page a key has just opened. */
  window.focus();

  window.addEventListener("message", function (e) {
    var data = e.data;
    if (!data || typeof data.vornamiStep !== "string") return;
    if (!e.source || e.source.top !== window.top) return;  // only the frames of this page
    step(data.vornamiStep);
  });

  /* The slide show opens at this page's photo (the page's own button would
     always start at photo 1). */
  window.fslideshow = function () {
    window.newWin = window.open("../../slideshow/slideshow.html?photo=" + currentno, "slideshow",
        "width=" + (screen.width - 10) + ",height=" + (screen.height - 60) +
        ",location=no,toolbar=no,menubar=no,status=no,directories=no,scrollbars=no," +
        "resizable=yes,top=0,left=0");
  };
})();
