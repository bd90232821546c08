// Sorts the heat map's rows by name or by score; a second press turns the order.
// Rows keep their first order among equals, and files that could not be read stay last.
(() => {
  const body = document.querySelector('#heatmap tbody');
  const rows = [...body.rows];
  let current = '';
  let ascending = true;
  for (const button of document.querySelectorAll('#heatmap button[data-sort]')) {
    button.addEventListener('click', () => {
      const key = button.dataset.sort;
      ascending = key === current ? !ascending : key === 'name';
      current = key;
      const sign = ascending ? 1 : -1;
      const order = rows.slice().sort((a, b) => {
        const failed = (a.dataset.score === '') - (b.dataset.score === '');
        if (failed !== 0) return failed;
        if (key === 'score') return sign * (Number(a.dataset.score) - Number(b.dataset.score)) || a.dataset.index - b.dataset.index;
        const an = a.dataset.name;
        const bn = b.dataset.name;
        return sign * (an < bn ? -1 : an > bn ? 1 : 0) || a.dataset.index - b.dataset.index;
      });
      body.append(...order);
      for (const th of document.querySelectorAll('#heatmap th[aria-sort]')) th.setAttribute('aria-sort', 'none');
      button.parentElement.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
    });
  }
})();
