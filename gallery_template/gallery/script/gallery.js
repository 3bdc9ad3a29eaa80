/* gallery.js: helpers shared by the gallery's fixed pages.
   The pages load the data scripts of "gallery/data" first; any of them may be
   missing (a gallery not yet finished), so every value is looked up on window
   and replaced by a default when it is absent or of the wrong kind. Texts from
   the photos (names, dates, the camera) are put into the pages as text, never
   as markup; titles and memos are the user's own HTML, as on the photo pages.
   vornami-version: @PROJECT_VERSION@ */
var vrn = (function () {
  var defaultColours = {
    bgColor: "#000040",
    vrntitleColor: "#ff0000",
    itemColor: "#ffff00",
    dataColor: "#ffffff"
  };

  function value(name) {
    return window[name];
  }

  /* A colour of colordata.js, or its default when the file or the value is missing. */
  function colour(name) {
    var v = value(name);
    if (typeof v === "string" && /^#[0-9a-fA-F]{6}$/.test(v)) return v;
    return defaultColours[name];
  }

  function text(v) {
    return typeof v === "string" ? v : "";
  }

  function note(n) {
    return entry("note", n);
  }

  function entry(arrayName, n) {
    var a = value(arrayName);
    if (!a || typeof a !== "object") return "";
    return text(a[n]);
  }

  /* The number of photos listed in filename.js (entries are numbered from 1). */
  function photoCount() {
    var a = value("fileName");
    if (!a || typeof a.length !== "number") return 0;
    return a.length > 1 ? a.length - 1 : 0;
  }

  function fileName(n) {
    return entry("fileName", n);
  }

  function title(n) {
    return entry("titleName", n);
  }

  /* The photo's title as plain text (its markup dropped, parsed where no
     script runs), else "写真N": what an image of the photo is called. */
  function altText(n) {
    var t = "";
    if (title(n) && window.DOMParser) {
      t = new DOMParser().parseFromString(title(n), "text/html").body.textContent || "";
    }
    t = t.replace(/\s+/g, " ").replace(/^ | $/g, "");
    return t || "写真" + n;
  }

  /* Photos with a screen copy in "gallery/screen", as screen.js lists them:
     the pages ask for a copy only where there is one. */
  var screenCopies = null;
  function hasScreenCopy(name) {
    if (!screenCopies) {
      screenCopies = {};
      var a = value("screenName");
      if (a && typeof a.length === "number") {
        for (var i = 0; i < a.length; i++) {
          if (typeof a[i] === "string") screenCopies["/" + a[i]] = true;
        }
      }
    }
    return screenCopies["/" + text(name)] === true;
  }

  /* The file that shows photo `name` on a screen, from the folder whose path
     to "gallery" is galleryPrefix: its screen copy, else the photo itself. */
  function screenPicture(galleryPrefix, name) {
    return hasScreenCopy(name) ? galleryPrefix + "screen/" + name
                               : galleryPrefix + "../Pelvora/" + name;
  }

  /* The number of photos the data step counted, else those listed. */
  function photoTotal() {
    var m = value("maisu");
    if (typeof m === "number" && m >= 0 && Math.floor(m) === m) return m;
    return photoCount();
  }

  function unpad(s) {
    return String(parseInt(s, 10));
  }

  /* "2003_08_03_09_05_00.jpg" -> "2003年8月3日9時5分", as the title pages show it;
     "" for a name of another form. */
  function shootingTime(name) {
    var m = /^(\d{4})_(\d\d)_(\d\d)_(\d\d)_(\d\d)/.exec(text(name));
    if (!m) return "";
    return m[1] + "年" + unpad(m[2]) + "月" + unpad(m[3]) + "日" +
        unpad(m[4]) + "時" + unpad(m[5]) + "分";
  }

  /* "2003.08.03" -> "2003年8月3日"; any other text stays as it is. */
  function day(dateText) {
    var m = /^(\d{4})\.(\d\d)\.(\d\d)$/.exec(text(dateText));
    if (!m) return text(dateText);
    return m[1] + "年" + unpad(m[2]) + "月" + unpad(m[3]) + "日";
  }

  /* The shooting period of other.js, "" when neither date is known. */
  function period() {
    var first = day(value("topsatsueiDate"));
    var last = day(value("lastsatsueiDate"));
    if (!first || !last || first === last) return first || last;
    return first + " ～ " + last;
  }

  function el(tag, className, content) {
    var e = document.createElement(tag);
    if (className) e.className = className;
    if (content !== undefined && content !== null) e.appendChild(document.createTextNode(content));
    return e;
  }

  /* An element showing a title or memo: markup of the user's own, as the
     title and memo pages write it. */
  function markup(tag, className, html) {
    var e = el(tag, className);
    e.innerHTML = html;
    return e;
  }

  /* An item name and its value, in the item and data colours; the value is a
     text, or the user's markup when asMarkup is set. */
  function item(label, v, asMarkup) {
    var row = el("div", "vrn-item");
    var l = el("span", "vrn-label", label);
    l.style.color = colour("itemColor");
    var d = asMarkup ? markup("span", "vrn-data", v) : el("span", "vrn-data", v);
    d.style.color = colour("dataColor");
    row.appendChild(l);
    row.appendChild(d);
    return row;
  }

  /* Images marked lazy get their file only when they come near the window:
     a menu of 1000 thumbnails must not load them all at once. */
  var lazyObserver = null;
  function loadWhenNear(img, src, srcset) {
    if (!window.IntersectionObserver) {
      if (srcset) img.srcset = srcset;
      img.src = src;
      return;
    }
    if (!lazyObserver) {
      lazyObserver = new IntersectionObserver(function (entries) {
        for (var i = 0; i < entries.length; i++) {
          if (!entries[i].isIntersecting) continue;
          var target = entries[i].target;
          lazyObserver.unobserve(target);
          var set = target.getAttribute("data-srcset");
          if (set) target.srcset = set;
          target.src = target.getAttribute("data-src");
        }
      }, { rootMargin: "200px 0px" });
    }
    img.setAttribute("data-src", src);
    if (srcset) img.setAttribute("data-srcset", srcset);
    lazyObserver.observe(img);
  }

  /* An image that gives way to the next of its fallback files, and then to a
     placeholder, when its file is missing or empty (a photo without an
     embedded thumbnail has an empty thumbnail file). With lazy set it loads
     when it comes near the window; srcset offers sharper files for screens
     of higher density. */
  function image(src, className, alt, fallbackSrc, lazy, srcset) {
    var img = document.createElement("img");
    var fallbacks = [].concat(fallbackSrc || []);
    img.className = className;
    img.alt = alt;
    img.onerror = function () {
      var failed = img.currentSrc || img.src;
      img.removeAttribute("srcset");
      while (fallbacks.length > 0) {
        var next = fallbacks.shift();
        var resolved = document.createElement("a");
        resolved.href = next;
        if (resolved.href === failed) continue;  // the file that just failed
        img.src = next;
        return;
      }
      var box = el("span", className + " vrn-noimage", "画像なし");
      box.style.color = colour("dataColor");
      box.style.borderColor = colour("dataColor");
      if (img.parentNode) img.parentNode.replaceChild(box, img);
    };
    if (lazy) {
      loadWhenNear(img, src, srcset);
    } else {
      if (srcset) img.srcset = srcset;
      img.src = src;
    }
    return img;
  }

  /* A phone, a tablet or a small window: the per-photo framesets do not fit
     (or their small buttons are hard to touch), so the pages open the photo
     view instead. */
  function narrowScreen() {
    return window.matchMedia("(max-width: 700px), (max-height: 500px), " +
        "(pointer: coarse) and (max-width: 1099px)").matches;
  }

  /* Where photo n opens from a page in folder prefix ("../" from a folder of
     "gallery", "../gallery/" from "vornami"): the photo view on a narrow
     screen, else its section page. */
  function photoPage(prefix, n) {
    return narrowScreen() ? prefix + "photoview/photoview.html?photo=" + n
                          : prefix + "section/sec" + n + "top.html";
  }

  /* The photo number given as "?photo=N" in the page's address, kept within
     1 to count; 1 when there is none. */
  function photoFromAddress(count) {
    var m = /[?&]photo=(\d+)/.exec(window.location.search);
    var n = m ? parseInt(m[1], 10) : 1;
    if (n > count) n = count;
    return n < 1 ? 1 : n;
  }

  /* Calls step(-1) or step(+1) for a horizontal swipe on the element; a
     mostly vertical move stays a scroll. */
  function onSwipe(element, step) {
    var x = null;
    var y = null;
    element.addEventListener("touchstart", function (e) {
      if (e.touches.length !== 1) {
        x = null;
        return;
      }
      x = e.touches[0].clientX;
      y = e.touches[0].clientY;
    }, { passive: true });
    element.addEventListener("touchend", function (e) {
      if (x === null || e.changedTouches.length !== 1) return;
      var dx = e.changedTouches[0].clientX - x;
      var dy = e.changedTouches[0].clientY - y;
      x = null;
      if (Math.abs(dx) < 50 || Math.abs(dx) < 1.5 * Math.abs(dy)) return;
      step(dx < 0 ? 1 : -1);
    });
  }

  /* The slide show in its own window, as the navigation pages open it. */
  function openSlideShow(url) {
    return window.open(url, "slideshow", "width=" + (screen.width - 10) + ",height=" +
        (screen.height - 60) + ",location=no,toolbar=no,menubar=no,status=no," +
        "directories=no,scrollbars=no,resizable=yes,top=0,left=0");
  }

  /* Paints the page in the gallery's colours. Horizontal swipes belong to the
     page: the browser never takes one as "back" (or "forward"). */
  function paintPage() {
    document.body.style.backgroundColor = colour("bgColor");
    document.body.style.color = colour("dataColor");
    document.documentElement.style.overscrollBehaviorX = "none";
    document.body.style.overscrollBehaviorX = "none";
    document.body.style.touchAction = "pan-y pinch-zoom";
  }

  return {
    colour: colour,
    photoCount: photoCount,
    photoTotal: photoTotal,
    fileName: fileName,
    title: title,
    altText: altText,
    hasScreenCopy: hasScreenCopy,
    screenPicture: screenPicture,
    note: note,
    text: text,
    markup: markup,
    shootingTime: shootingTime,
    day: day,
    period: period,
    el: el,
    item: item,
    image: image,
    openSlideShow: openSlideShow,
    narrowScreen: narrowScreen,
    photoPage: photoPage,
    photoFromAddress: photoFromAddress,
    onSwipe: onSwipe,
    paintPage: paintPage
  };
})();
