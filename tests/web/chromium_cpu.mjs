// The CPU a browser this process started takes, for the page's tests and its benchmark.
import { execFileSync } from 'node:child_process';
import { readFileSync, readdirSync } from 'node:fs';

// CPU time, in clock ticks, of all that a process started (not of itself).
function treeTicks(root) {
  const parents = new Map();
  const ticks = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parents.set(Number(entry), Number(fields[1]));
      ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    } catch {
      // gone meanwhile
    }
  }
  let total = 0;
  for (const [pid, count] of ticks) {
    for (let p = parents.get(pid); p > 1; p = parents.get(p)) {
      if (p === root) {
        total += count;
        break;
      }
    }
  }
  return total;
}
const TICKS_A_SECOND = Number(execFileSync('getconf', ['CLK_TCK']).toString());

// The share of a core all of Chromium's processes, which this process started, take over
// `seconds`.
export async function chromiumCpu(seconds) {
  const before = treeTicks(process.pid);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  return (100 * (treeTicks(process.pid) - before)) / (TICKS_A_SECOND * seconds);
}
