// The report's CSS and JavaScript, inlined into every page.
#include "scenario/report_assets.h"

namespace scenario {

const std::string& reportStyle() {
    static const std::string style = R"css(
body{font:14px/1.4 system-ui,sans-serif;margin:0;background:#f4f5f7;color:#1d232a}
header{background:#1d2b36;color:#fff;padding:12px 24px}header h1{margin:0 0 4px;font-size:22px}
header .file{opacity:.7;margin:0}.verdict{display:inline-block;font-weight:700;padding:2px 10px;border-radius:4px;margin:4px 0}
.verdict.pass{background:#2e7d32}.verdict.fail{background:#c62828}
main{padding:8px 24px;display:grid;gap:16px;grid-template-columns:minmax(0,1fr)}
section{background:#fff;border-radius:6px;padding:8px 16px;box-shadow:0 1px 2px #0002}h2{font-size:16px;margin:6px 0 10px}
table{border-collapse:collapse}th,td{text-align:left;padding:2px 12px 2px 0;vertical-align:top}
table.checks tr.pass td:first-child::before{content:"\2714  ";color:#2e7d32}
table.checks tr.fail{color:#c62828;font-weight:600}table.checks tr.fail td:first-child::before{content:"\2718  "}
.map-box{display:flex;gap:16px;flex-wrap:wrap}svg.map{width:min(100%,560px);aspect-ratio:1;border:1px solid #ccd}
.map .ground{fill:#e8efe4}.map .path{fill:none;stroke-width:calc(var(--u)*1.2);stroke-linejoin:round}
.map .path.player{stroke:#1565c0}.map .path.crew{stroke:#2e7d32;stroke-width:calc(var(--u)*2.4)}
.map .path.gunner{stroke:#ef6c00;stroke-dasharray:calc(var(--u)*3)}.map .path.ped{stroke:#777}
.map .shot{fill:#d32f2f;opacity:.6}.map .target{fill:none;stroke:#d32f2f;stroke-width:calc(var(--u)*1.5)}
.map .label{fill:#333}.map .crew-end{fill:none;stroke:#2e7d32;stroke-width:calc(var(--u)*1.5)}.map .marker{stroke:#fff;stroke-width:calc(var(--u)*0.8)}.map .marker.player{fill:#1565c0}
.map .marker.crew{fill:#2e7d32}.map .marker.gunner{fill:#ef6c00}.map .marker.ped{fill:#555}.map .hidden{display:none}
.legend span{display:inline-block;margin-right:12px}.legend span::before{content:"";display:inline-block;width:12px;height:12px;margin-right:4px;vertical-align:-1px;border-radius:2px}
.legend .player::before{background:#1565c0}.legend .crew::before{background:#2e7d32}.legend .gunner::before{background:#ef6c00}
.legend .ped::before{background:#777}.legend .target::before{border:2px solid #d32f2f;border-radius:50%;width:8px;height:8px}
.legend .shot::before{background:#d32f2f;border-radius:50%}.legend .wanted::before{background:#6a1b9a}.legend .shots::before{background:#90a4ae}
.map-box .legend{display:flex;flex-direction:column}.slider{display:block;margin:8px 0}.slider input{width:min(100%,560px);vertical-align:middle}
svg.chart{width:100%;max-width:900px}.chart .grid{stroke:#e0e0e0}.chart .axis{font-size:11px;fill:#555}
.chart .wanted{fill:none;stroke:#6a1b9a;stroke-width:2}.chart .shots{fill:none;stroke:#90a4ae;stroke-width:1.5}.chart .cursor{stroke:#1565c0;stroke-dasharray:3}
.shots-grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(300px,1fr));gap:12px}
figure{margin:0}figure svg{width:100%;height:auto;display:block;border-radius:4px}figcaption{font-size:12px;color:#444;margin-top:2px}
figure.current svg{outline:3px solid #1565c0}
#events{list-style:none;padding:0;margin:0;font-family:ui-monospace,monospace;font-size:12.5px;max-height:480px;overflow:auto}
#events li{padding:1px 4px;cursor:pointer}#events li:hover{background:#eef3f8}#events li.failed{color:#c62828;font-weight:700}
#events time{display:inline-block;width:90px;text-align:right;margin-right:8px;color:#666}
#events .kind{display:inline-block;width:70px;color:#1565c0}#events li.hidden{display:none}
footer{padding:8px 24px;color:#666;font-size:12px}
.map .grid line{stroke:#fff;stroke-width:calc(var(--u)*0.6)}.map .axis{fill:#6b7a66}.map .scale rect{fill:#333}.map .scale text{fill:#333}
.map .crew-spawn{fill:none;stroke:#2e7d32;stroke-width:calc(var(--u)*1);stroke-dasharray:calc(var(--u)*2)}
.map .crew-given-up{stroke:#b71c1c;stroke-width:calc(var(--u)*2);fill:none}.map .crew-label{fill:#b71c1c}
.map .marker.ped.down{fill:#fff;stroke:#d32f2f;stroke-width:calc(var(--u)*1.2)}
.legend .ped-down::before{background:#fff;border:2px solid #d32f2f;border-radius:50%;width:8px;height:8px}
.legend .crew-spawn::before{border:2px dashed #2e7d32;width:8px;height:8px}.legend .crew-given-up::before{content:"\2715";color:#b71c1c;width:auto;height:auto;font-weight:700}
.player-controls{margin-top:8px}.player-controls button{font:inherit;padding:2px 12px}
.chart .axis-title{font-size:12px;fill:#333}.chart .wanted-axis{fill:#6a1b9a}.chart .shots-axis{fill:#546e7a}
table.peds td,table.crews td{border-top:1px solid #eee}
.shots-grid{grid-template-columns:repeat(auto-fill,minmax(420px,1fr))}figure{cursor:zoom-in}
figure.enlarged{position:fixed;inset:2vh 2vw;z-index:10;background:#000d;padding:12px;border-radius:6px;cursor:zoom-out;display:flex;flex-direction:column;justify-content:center}
figure.enlarged svg{max-height:90vh;object-fit:contain}figure.enlarged figcaption{color:#fff;font-size:14px}
#events li.omitted{color:#666;font-style:italic;cursor:default}
)css";
    return style;
}

const std::string& reportScript() {
    static const std::string script = R"js(
(function () {
  'use strict';
  var status = document.getElementById('page-status');
  function fail(message) { status.dataset.state = 'error'; status.textContent = 'script error: ' + message; }
  window.addEventListener('error', function (event) { fail(event.message); });
  try {
    var samples = JSON.parse(document.getElementById('samples').textContent);
    var slider = document.getElementById('time');
    var output = document.getElementById('time-out');
    var cursor = document.getElementById('chart-cursor');
    var chart = cursor ? cursor.ownerSVGElement : null;
    var figures = Array.prototype.slice.call(document.querySelectorAll('#screens figure'));
    var endMs = samples.length ? samples[samples.length - 1][0] : 0;

    function place(id, point) {
      var element = document.getElementById(id);
      if (!element) return;
      if (!point) { element.classList.add('hidden'); return; }
      element.classList.remove('hidden');
      if (element.tagName.toLowerCase() === 'rect') {
        var half = parseFloat(element.getAttribute('width')) / 2;
        element.setAttribute('x', point[0] - half);
        element.setAttribute('y', point[1] - half);
      } else {
        element.setAttribute('cx', point[0]);
        element.setAttribute('cy', point[1]);
      }
    }

    function show(index) {
      if (!samples.length) return;
      var sample = samples[Math.max(0, Math.min(samples.length - 1, index))];
      place('m-player', sample[1]);
      place('m-crew', sample[2]);
      place('m-gunner', sample[3]);
      sample[4].forEach(function (point, i) {
        place('m-ped-' + i, point);
        var marker = document.getElementById('m-ped-' + i);
        if (marker) marker.classList.toggle('down', sample[5].charAt(i) === 'd');
      });
      output.textContent = (sample[0] / 1000).toFixed(1) + ' s';
      if (chart && endMs > 0) {
        var x = Number(chart.dataset.left) + Number(chart.dataset.plotWidth) * sample[0] / endMs;
        cursor.setAttribute('x1', x);
        cursor.setAttribute('x2', x);
      }
      var current = null;
      figures.forEach(function (figure) {
        if (Number(figure.dataset.ms) <= sample[0]) current = figure;
        figure.classList.remove('current');
      });
      if (current) current.classList.add('current');
    }

    function indexAt(ms) {
      var best = 0;
      for (var i = 0; i < samples.length; i++) if (samples[i][0] <= ms) best = i;
      return best;
    }

    slider.addEventListener('input', function () { show(Number(slider.value)); });
    var map = document.querySelector('svg.map');
    document.querySelectorAll('#events li[data-ms]').forEach(function (item) {
      item.addEventListener('click', function () {
        var index = indexAt(Number(item.dataset.ms));
        slider.value = index;
        show(index);
        if (map && map.scrollIntoView) map.scrollIntoView({block: 'nearest', behavior: 'smooth'});
      });
    });

    // Play moves the slider through the run in game time, times the chosen speed.
    var play = document.getElementById('play');
    var speed = document.getElementById('speed');
    var timer = null, lastTick = 0, playMs = 0;
    function stop() { if (timer) clearInterval(timer); timer = null; play.textContent = '\u25B6 play'; play.dataset.playing = 'no'; }
    function step() {
      var now = Date.now();
      playMs += (now - lastTick) * Number(speed.value);
      lastTick = now;
      var index = indexAt(playMs);
      slider.value = index;
      show(index);
      if (playMs >= endMs) stop();
    }
    play.addEventListener('click', function () {
      if (timer) { stop(); return; }
      var index = Number(slider.value);
      playMs = index >= samples.length - 1 ? 0 : samples[index][0];
      lastTick = Date.now();
      timer = setInterval(step, 50);
      play.textContent = '\u275A\u275A pause';
      play.dataset.playing = 'yes';
    });

    // A screen picture is enlarged on click, and shrinks back on the next click or Escape.
    figures.forEach(function (figure) {
      figure.addEventListener('click', function () {
        var open = figure.classList.contains('enlarged');
        figures.forEach(function (other) { other.classList.remove('enlarged'); });
        if (!open) figure.classList.add('enlarged');
      });
    });
    document.addEventListener('keydown', function (event) {
      if (event.key === 'Escape') figures.forEach(function (figure) { figure.classList.remove('enlarged'); });
    });
    var filter = document.getElementById('filter');
    filter.addEventListener('input', function () {
      var needle = filter.value.toLowerCase();
      document.querySelectorAll('#events li').forEach(function (item) {
        item.classList.toggle('hidden', needle !== '' && item.textContent.toLowerCase().indexOf(needle) < 0);
      });
    });
    show(Number(slider.value));

    // Map labels whose drawn boxes overlap, as the browser lays them out.
    function overlappingLabels() {
      var boxes = Array.prototype.map.call(document.querySelectorAll('#map-labels text'), function (t) { return t.getBoundingClientRect(); });
      var count = 0;
      for (var i = 0; i < boxes.length; i++) for (var j = i + 1; j < boxes.length; j++) {
        var a = boxes[i], b = boxes[j];
        if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) count++;
      }
      return count;
    }

    var pictures = document.querySelectorAll('#screens figure svg').length;
    var maps = document.querySelectorAll('svg.map').length;
    var charts = document.querySelectorAll('svg.chart').length;
    if (status.dataset.state !== 'error') {
      status.dataset.state = 'ok';
      status.dataset.screens = String(pictures);
      status.dataset.maps = String(maps);
      status.dataset.charts = String(charts);
      status.dataset.samples = String(samples.length);
      status.dataset.pedRows = String(document.querySelectorAll('#ped-table tr').length - (document.getElementById('ped-table') ? 1 : 0));
      status.dataset.crewRows = String(document.querySelectorAll('#crew-table tr').length - (document.getElementById('crew-table') ? 1 : 0));
      status.dataset.crewMarks = String(document.querySelectorAll('#crew-marks .crew-given-up').length);
      status.dataset.scale = document.getElementById('map-scale') ? 'yes' : 'no';
      status.dataset.gridLabels = String(document.querySelectorAll('#map-grid text').length);
      status.dataset.play = play ? 'yes' : 'no';
      status.dataset.overlaps = String(overlappingLabels());
      status.dataset.readyMs = String(Math.round(performance.now()));
      status.textContent = 'report ready: ' + pictures + ' screens, ' + maps + ' map, ' + charts + ' chart, ' + samples.length + ' samples';
    }
    // With #check in the address the page works its own controls once, for the test suite:
    // a screen enlarges and shrinks, a timeline line moves the slider, play moves it on.
    if (location.hash === '#check' && status.dataset.state === 'ok') {
      var problems = [];
      if (figures.length) {
        figures[0].click();
        if (!figures[0].classList.contains('enlarged')) problems.push('a screen did not enlarge');
        figures[0].click();
        if (figures[0].classList.contains('enlarged')) problems.push('a screen did not shrink back');
      }
      var lines = document.querySelectorAll('#events li[data-ms]');
      if (lines.length > 1) {
        lines[1].click();
        if (Number(slider.value) !== indexAt(Number(lines[1].dataset.ms))) problems.push('a timeline line did not move the slider');
      }
      slider.value = 0;
      show(0);
      speed.value = '64';
      play.click();
      setTimeout(function () {
        var moved = Number(slider.value) > 0;
        if (timer) play.click();
        if (!moved) problems.push('play did not move the slider');
        status.dataset.interactions = problems.length ? problems.join('; ') : 'ok';
      }, 400);
    }
  } catch (error) {
    fail(error && error.message ? error.message : String(error));
  }
})();
)js";
    return script;
}

}  // namespace scenario
